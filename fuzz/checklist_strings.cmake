set(FUZZ_LIBS vyx_controls)
