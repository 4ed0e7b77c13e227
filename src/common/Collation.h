#pragma once
// Locale-aware, case-insensitive ordering of names (cp1250 bytes), as the operator's
// lists are sorted.

#include <memory>
#include <string>
#include <string_view>


namespace vt {

class NameCollator {
public:
    // The user's locale (from the environment) when no locale name is given.
    explicit NameCollator(const char* localeName = nullptr);
    ~NameCollator();
    NameCollator(const NameCollator&) = delete;
    NameCollator& operator=(const NameCollator&) = delete;

    // Negative, zero or positive, comparing two cp1250 names without regard to case.
    int compare(std::string_view a, std::string_view b) const;
    bool less(std::string_view a, std::string_view b) const { return compare(a, b) < 0; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vt
