set(FUZZ_LIBS vyx_settings)
