set(FUZZ_LIBS vyx_platform)
