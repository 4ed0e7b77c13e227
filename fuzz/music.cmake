vantorel_fuzz(fuzz_wav SOURCES music/wav_fuzz.cpp)
