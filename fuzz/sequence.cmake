vantorel_fuzz(fuzz_sequences SOURCES sequence/sequences_fuzz.cpp)
