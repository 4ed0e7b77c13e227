vantorel_fuzz(fuzz_library SOURCES library/library_fuzz.cpp)
vantorel_fuzz(fuzz_device SOURCES library/device_fuzz.cpp)
