#include "common/Translatable.h"

#include <algorithm>
#include <mutex>
#include <string_view>

namespace vt {

namespace {

std::mutex patternsLock;
std::vector<std::string> patterns;

// One part of a pattern: a piece's number (from 1), or 0 and the plain text before the next piece.
struct Part {
    int piece = 0;
    std::string_view text;
};

std::vector<Part> partsOf(std::string_view pattern)
{
    std::vector<Part> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%' || pattern[i + 1] < '1' || pattern[i + 1] > '9')
            continue;
        if (i > start)
            parts.push_back({0, pattern.substr(start, i - start)});
        parts.push_back({pattern[i + 1] - '0', {}});
        start = i + 2;
        ++i;
    }
    if (start < pattern.size())
        parts.push_back({0, pattern.substr(start)});
    return parts;
}

bool match(const std::vector<Part>& parts, std::size_t part, std::string_view message,
           std::vector<std::string>& pieces)
{
    if (part == parts.size())
        return message.empty();
    const Part& p = parts[part];
    if (p.piece == 0)
        return message.starts_with(p.text) && match(parts, part + 1, message.substr(p.text.size()), pieces);
    for (std::size_t length = 0; length <= message.size(); ++length) {
        if (match(parts, part + 1, message.substr(length), pieces)) {
            pieces[std::size_t(p.piece - 1)] = std::string(message.substr(0, length));
            return true;
        }
    }
    return false;
}

} // namespace

std::string fill(const std::string& pattern, const std::vector<std::string>& pieces)
{
    std::string text;
    for (const Part& p : partsOf(pattern)) {
        if (p.piece == 0)
            text += p.text;
        else if (std::size_t(p.piece) <= pieces.size())
            text += pieces[std::size_t(p.piece - 1)];
    }
    return text;
}

std::string filled(const char* pattern, std::initializer_list<std::string> pieces)
{
    {
        std::lock_guard lock(patternsLock);
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
            patterns.emplace_back(pattern);
    }
    return fill(pattern, pieces);
}

std::vector<std::string> filledPatterns()
{
    std::lock_guard lock(patternsLock);
    return patterns;
}

bool piecesOf(const std::string& pattern, const std::string& message, std::vector<std::string>& pieces)
{
    const std::vector<Part> parts = partsOf(pattern);
    int count = 0;
    for (const Part& p : parts)
        count = std::max(count, p.piece);
    pieces.assign(std::size_t(count), {});
    return match(parts, 0, message, pieces);
}

} // namespace vt
