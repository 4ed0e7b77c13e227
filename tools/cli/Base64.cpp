#include "Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> decodingTable()
{
    std::array<int, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    return table;
}

} // namespace

std::string toBase64(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = std::uint32_t(bytes[i]) << 16;
        if (n > 1)
            group |= std::uint32_t(bytes[i + 1]) << 8;
        if (n > 2)
            group |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> fromBase64(std::string_view text)
{
    static constexpr std::array<int, 256> table = decodingTable();
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=')
        ++padding;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    const std::size_t digits = text.size() - padding;
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int value = i < digits ? table[static_cast<unsigned char>(text[i])] : 0;
        if (value < 0)
            return std::nullopt;
        group = group << 6 | std::uint32_t(value);
        if (i % 4 == 3) {
            out.push_back(std::uint8_t(group >> 16));
            out.push_back(std::uint8_t(group >> 8));
            out.push_back(std::uint8_t(group));
            group = 0;
        }
    }
    out.resize(out.size() - padding);
    return out;
}
