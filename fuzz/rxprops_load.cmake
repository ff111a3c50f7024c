set(FUZZ_LIBS vyx_controls)
set_target_properties(fuzz_${name} PROPERTIES AUTOMOC ON)
