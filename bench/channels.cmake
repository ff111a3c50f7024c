vyx_bench(channels LIBS vyx_core)
target_include_directories(bench_channels PRIVATE ${CMAKE_SOURCE_DIR}/tests)
