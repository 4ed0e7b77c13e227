vantorel_fuzz(fuzz_club SOURCES club/club_fuzz.cpp)
