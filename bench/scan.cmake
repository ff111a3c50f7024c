# A whole frequency sweep in the running program, against the time its steps take at the pace
# the scan is specified with (and the slower pace other programs scan at).
vyx_bench(scan LIBS vyx_viewer vyxsim)
add_dependencies(bench_scan vyx-demo-folder hwiodrv-sim)
target_compile_definitions(bench_scan PRIVATE VYX_DEMO_FOLDER="$<TARGET_FILE:vyx-demo-folder>")
