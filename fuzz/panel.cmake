vantorel_fuzz(fuzz_panel SOURCES panel/panel_fuzz.cpp)
