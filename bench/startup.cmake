vyx_bench(startup LIBS)
add_dependencies(bench_startup vyx vyx-demo-folder hwiodrv-sim)
target_compile_definitions(bench_startup PRIVATE
  VYX_PROGRAM="$<TARGET_FILE:vyx>" VYX_DEMO_FOLDER="$<TARGET_FILE:vyx-demo-folder>")
