set(FUZZ_LIBS vyxsim)
