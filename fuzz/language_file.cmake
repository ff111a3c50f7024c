set(FUZZ_LIBS vyx_settings vyx_viewer vyxsim)
add_dependencies(fuzz_${name} hwiodrv-sim)
