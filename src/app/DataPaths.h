#pragma once
// The data files of a show, all in one directory.

#include <string>

struct DataPaths {
    std::string directory;
    std::string library;
    std::string club;
    std::string sequences;
    std::string cues;
    std::string generators;
    std::string panel;
    std::string configuration;
    std::string events; // formed like the others, never opened

    static DataPaths in(std::string directory);
};

// The directory that holds the running executable.
std::string executableDirectory();
