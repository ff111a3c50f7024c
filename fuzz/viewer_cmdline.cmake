set(FUZZ_LIBS vyx_viewer)
