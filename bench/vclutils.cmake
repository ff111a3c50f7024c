vyx_bench(vclutils LIBS vyx_controls)
