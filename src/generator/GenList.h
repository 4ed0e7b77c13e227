#pragma once
// Saved pan/tilt figures and their file, generators.vt2.

#include "common/Files.h"
#include "generator/Generator.h"

#include <optional>
#include <string>
#include <vector>

struct KyPanTiltGen {
    std::string name; // cp1250
    KyGenerator pan;
    KyGenerator tilt;
};

class KyGenList {
public:
    void append(const KyPanTiltGen& figure) { figures_.push_back(figure); }
    void erase(std::size_t index) { figures_.erase(figures_.begin() + static_cast<std::ptrdiff_t>(index)); }
    KyPanTiltGen& at(std::size_t index) { return figures_[index]; }
    const KyPanTiltGen& at(std::size_t index) const { return figures_[index]; }
    std::size_t size() const { return figures_.size(); }

    // The file's bytes. Reading throws std::runtime_error with the file's message for a
    // wrong magic or an unsupported version, and then leaves the list as it was; a file that
    // ends early keeps the figures read whole before the end.
    vt::Bytes toBytes() const;
    vt::LoadStatus fromBytes(std::span<const std::uint8_t> bytes);

    // A missing file leaves the list as it was.
    vt::LoadStatus load(const std::string& path);
    bool save(const std::string& path, std::string* error = nullptr) const;

private:
    std::vector<KyPanTiltGen> figures_;
};

// A single-figure export file (.vtg) is a list file that holds the one figure.
bool exportFigure(const KyPanTiltGen& figure, const std::string& path, std::string* error = nullptr);
// The first figure of such a file, or nothing when it holds none. Throws as loading a list
// does for a file in another format.
std::optional<KyPanTiltGen> importFigure(const std::string& path);
