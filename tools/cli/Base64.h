#pragma once
// Base64 (RFC 4648, with padding) for the pictures in the show's JSON form.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

std::string toBase64(std::span<const std::uint8_t> bytes);
// Nothing unless the text is padded base64 of the standard alphabet without blanks.
std::optional<std::vector<std::uint8_t>> fromBase64(std::string_view text);
