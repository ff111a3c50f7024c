vyx_bench(channels LIBS vyx_core)
