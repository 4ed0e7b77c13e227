#pragma once
// A large show, made the same way every time: 500 device types with icons and two wheels of
// pictures, 512 installed devices on four pages of 128 icons, 1000 sequences of 50 scenes
// with 24 channels and their generator entries, 200 cues, a full direct-access panel and 20
// saved figures. Its files take about 79 MB.

#include "app/Show.h"

#include <string>

namespace large_show {

// Fills a freshly made show with the large show's models.
void build(KyShow& show);

// Writes the large show's data files into `directory` (which must exist), as the program
// writes them; false with the reason in `error` when a file could not be written.
bool write(const std::string& directory, std::string* error = nullptr);

// The large show's files in a new folder under the system's temporary folder, removed with
// the object. Aborts when they cannot be written.
class TemporaryShow {
public:
    explicit TemporaryShow(const std::string& prefix);
    ~TemporaryShow();
    TemporaryShow(const TemporaryShow&) = delete;
    TemporaryShow& operator=(const TemporaryShow&) = delete;
    const std::string& directory() const { return directory_; }

private:
    std::string directory_;
};

// The total size of the show's data files in `directory`.
std::uintmax_t filesSize(const std::string& directory);

} // namespace large_show
