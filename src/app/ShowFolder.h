#pragma once
// The start-up step that settles where the show lives, before the main window reads it.

#include "app/StartOptions.h"

#include <string>

// Leaves a --data-dir as given. Otherwise takes the default folder (DataFolder.h); on the
// very first start in the user's folder it creates the folder and offers to fill it with the
// installed demo show.
void settleDataDirectory(StartOptions& options, const std::string& executableDirectory,
                         const std::string& userDataDirectory);
