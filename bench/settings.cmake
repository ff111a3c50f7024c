vyx_bench(settings LIBS vyx_core)
