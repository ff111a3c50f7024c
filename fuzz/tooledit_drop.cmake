# The parser needs only the standard library: its one source is compiled in, not the whole
# controls library.
set(FUZZ_LIBS "")
target_sources(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src/controls/dormant/TooleditDrop.cpp)
target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
