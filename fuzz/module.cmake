vantorel_fuzz(fuzz_saved_image SOURCES module/saved_image_fuzz.cpp)
