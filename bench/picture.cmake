vyx_bench(picture LIBS vyx_platform vyxsim)
