# A channel change in the running program: processor time and the waits on the simulated clock.
vyx_bench(channel_change LIBS vyx_viewer vyxsim)
add_dependencies(bench_channel_change vyx-demo-folder hwiodrv-sim)
target_compile_definitions(bench_channel_change PRIVATE
  VYX_DEMO_FOLDER="$<TARGET_FILE:vyx-demo-folder>")
