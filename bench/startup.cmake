# The floor of the start-up and picture benchmarks: a minimal Qt Widgets program that shows one
# picture 25 times a second.
add_executable(bench_minimal_qt ${CMAKE_CURRENT_SOURCE_DIR}/minimal_qt.cpp)
target_link_libraries(bench_minimal_qt PRIVATE Qt6::Widgets)

vyx_bench(startup LIBS)
add_dependencies(bench_startup vyx vyx-demo-folder hwiodrv-sim bench_minimal_qt)
target_compile_definitions(bench_startup PRIVATE
  VYX_PROGRAM="$<TARGET_FILE:vyx>" VYX_DEMO_FOLDER="$<TARGET_FILE:vyx-demo-folder>"
  VYX_MINIMAL_QT="$<TARGET_FILE:bench_minimal_qt>")
