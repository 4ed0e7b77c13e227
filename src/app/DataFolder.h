#pragma once
// Where the show lives when the command line does not say: beside the executable for a copy
// run from its own folder (a portable copy, the build tree), in the user's data folder for an
// installed one.

#include <string>

// The installed copy's shared files (the demo show, the JSON description): share/vantorel
// beside the folder of the executable.
std::string sharedDataDirectory(const std::string& executableDirectory);

// The executable's folder when the user may write there and no shared files sit beside it;
// otherwise `userDataDirectory`.
std::string defaultDataDirectory(const std::string& executableDirectory, const std::string& userDataDirectory);

enum class FolderState { Existing, Created, Failed };
// Makes the folder with its parents; Created means it did not exist before.
FolderState ensureFolder(const std::string& directory);

// Copies the files of the demo show into `dataDirectory`, never over a file already there.
// False with the reason in `error` when one could not be copied.
bool copyDemoShow(const std::string& demoDirectory, const std::string& dataDirectory, std::string& error);
