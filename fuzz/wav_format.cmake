set(FUZZ_LIBS vyx_recording)
