# The stored picture size needs only the standard library: compiled in directly.
target_sources(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src/recording/VideoFrameSize.cpp)
target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
set(FUZZ_LIBS "")
