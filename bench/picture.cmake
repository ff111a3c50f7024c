# The live picture's processor time per displayed frame: vyx (in a child process) against the
# minimal Qt program, and the V4L2 path (the capture tests' stand-in driver) against the
# simulated one.
vyx_bench(picture LIBS vyx_viewer vyxsim)
target_include_directories(bench_picture PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(bench_picture vyx-demo-folder hwiodrv-sim bench_minimal_qt)
target_compile_definitions(bench_picture PRIVATE
  VYX_DEMO_FOLDER="$<TARGET_FILE:vyx-demo-folder>" VYX_MINIMAL_QT="$<TARGET_FILE:bench_minimal_qt>")
