set(FUZZ_LIBS vyx_core)
