# Decoding GIF files with our reader against the reference GIF library on the same bytes. The
# files are written in the benchmark by the reference encoder, through the tests' helpers.
find_package(GIF REQUIRED)
vyx_bench(gif LIBS vyx_controls GIF::GIF)
target_sources(bench_gif PRIVATE ${CMAKE_SOURCE_DIR}/tests/controls/RxgifTestSupport.cpp)
target_include_directories(bench_gif PRIVATE ${CMAKE_SOURCE_DIR}/tests/controls)
