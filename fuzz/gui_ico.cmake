set(FUZZ_LIBS vyx_gui)
