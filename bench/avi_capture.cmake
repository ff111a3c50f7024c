vyx_bench(avi_capture LIBS vyx_platform vyxsim)
add_dependencies(bench_avi_capture vyx-avi)
