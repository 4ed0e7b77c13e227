vantorel_fuzz(fuzz_cues SOURCES cue/cues_fuzz.cpp)
