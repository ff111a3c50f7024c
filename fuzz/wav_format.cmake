# The format block and the RIFF reader need only the standard library: compiled in directly.
target_sources(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src/recording/WaveFormat.cpp
  ${CMAKE_SOURCE_DIR}/src/recording/WavRiffReader.cpp)
target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
set(FUZZ_LIBS "")
