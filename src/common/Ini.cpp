#include "common/Ini.h"

#include <algorithm>
#include <climits>

namespace vt {
namespace {

constexpr std::string_view blanks = " \t\r";

std::string_view trim(std::string_view s)
{
    auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The section name of a header line, or nothing for any other line.
std::optional<std::string_view> headerName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trim(line.substr(0, line.find(']')));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return std::nullopt;
    auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

bool isQuoted(std::string_view v)
{
    return v.size() >= 2 && v.front() == '"' && v.back() == '"';
}

std::string unquote(std::string_view v)
{
    return std::string(isQuoted(v) ? v.substr(1, v.size() - 2) : v);
}

std::string storedForm(std::string_view value)
{
    std::string v(value);
    std::replace(v.begin(), v.end(), '\n', ' ');
    bool needsQuotes = isQuoted(v) || (!v.empty() && (trim(v).size() != v.size()));
    return needsQuotes ? '"' + v + '"' : v;
}

bool isBlank(const std::string& line)
{
    return trim(line).empty();
}

} // namespace

IniFile::IniFile(std::string_view text)
{
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto name = headerName(line))
            sections_.push_back(Section{std::string(*name), std::string(line), {}});
        else
            sections_.back().lines.emplace_back(line);
    }
}

std::string IniFile::text() const
{
    std::string out;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0)
            out += sections_[i].header + '\n';
        for (const auto& line : sections_[i].lines)
            out += line + '\n';
    }
    return out;
}

std::size_t IniFile::findSection(std::string_view name) const
{
    for (std::size_t i = 1; i < sections_.size(); ++i)
        if (sameName(sections_[i].name, name))
            return i;
    return notFound;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    std::size_t found = findSection(section);
    if (found == notFound)
        return std::nullopt;
    for (const auto& line : sections_[found].lines)
        if (auto entry = keyLine(line); entry && sameName(entry->key, key))
            return unquote(entry->value);
    return std::nullopt;
}

std::string IniFile::value(std::string_view section, std::string_view key, std::string_view fallback) const
{
    return value(section, key).value_or(std::string(fallback));
}

int IniFile::intValue(std::string_view section, std::string_view key, int fallback) const
{
    auto text = value(section, key);
    if (!text)
        return fallback;
    std::string_view digits = *text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return fallback;
    long long n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        n = std::min<long long>(n * 10 + (c - '0'), 1LL + INT_MAX);
    }
    n = negative ? -n : n;
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

IniFile::Section& IniFile::sectionForWriting(std::string_view name)
{
    if (std::size_t found = findSection(name); found != notFound)
        return sections_[found];
    // A blank line keeps a new section apart from what came before.
    auto& previous = sections_.back().lines;
    if (!previous.empty() && !isBlank(previous.back()))
        previous.emplace_back();
    return sections_.emplace_back(Section{std::string(name), '[' + std::string(name) + ']', {}});
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + '=' + storedForm(value);
    auto& lines = sectionForWriting(section).lines;
    for (auto& existing : lines)
        if (auto entry = keyLine(existing); entry && sameName(entry->key, key)) {
            existing = std::move(line);
            return;
        }
    auto lastFilled = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) { return !isBlank(l); });
    lines.insert(lastFilled.base(), std::move(line));
}

void IniFile::eraseSection(std::string_view section)
{
    auto named = [&](const Section& s) { return sameName(s.name, section); };
    sections_.erase(std::remove_if(sections_.begin() + 1, sections_.end(), named), sections_.end());
}

} // namespace vt
