vyx_bench(snapshot LIBS vyx_viewer vyxsim)
