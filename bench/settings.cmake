vyx_bench(settings LIBS vyx_core)
target_include_directories(bench_settings PRIVATE ${CMAKE_SOURCE_DIR}/tests)
