#include "JsonIo.h"

#include "Base64.h"
#include "common/Cp1250.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

template <class T>
void readInteger(const Json& j, T& v, const std::string& path)
{
    if (!j.is_number_integer())
        throw Refused(path, "expected an integer");
    constexpr auto lowest = std::numeric_limits<T>::min();
    constexpr auto highest = std::numeric_limits<T>::max();
    bool fits;
    if (j.is_number_unsigned()) {
        const auto u = j.get<std::uint64_t>();
        fits = u <= static_cast<std::uint64_t>(highest);
    } else {
        const auto s = j.get<std::int64_t>();
        fits = s >= static_cast<std::int64_t>(lowest) && s <= static_cast<std::int64_t>(highest);
    }
    if (!fits)
        throw Refused(path, "out of range " + std::to_string(lowest + 0) + ".." + std::to_string(highest + 0));
    v = j.get<T>();
}

} // namespace

Json toJson(bool v)
{
    return v;
}

Json toJson(std::uint8_t v)
{
    return static_cast<unsigned>(v);
}

Json toJson(std::int32_t v)
{
    return v;
}

Json toJson(std::uint32_t v)
{
    return v;
}

Json toJson(double v)
{
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "Infinity" : "-Infinity";
    return v;
}

Json toJson(const std::string& cp1250)
{
    return vt::cp1250ToUtf8(cp1250);
}

Json toJson(const KyPicture& picture)
{
    return toBase64(picture);
}

void fromJson(const Json& j, bool& v, const std::string& path)
{
    if (!j.is_boolean())
        throw Refused(path, "expected true or false");
    v = j.get<bool>();
}

void fromJson(const Json& j, std::uint8_t& v, const std::string& path)
{
    readInteger(j, v, path);
}

void fromJson(const Json& j, std::int32_t& v, const std::string& path)
{
    readInteger(j, v, path);
}

void fromJson(const Json& j, std::uint32_t& v, const std::string& path)
{
    readInteger(j, v, path);
}

void fromJson(const Json& j, double& v, const std::string& path)
{
    if (j.is_number()) {
        v = j.get<double>();
        return;
    }
    if (j == "NaN")
        v = std::numeric_limits<double>::quiet_NaN();
    else if (j == "Infinity")
        v = std::numeric_limits<double>::infinity();
    else if (j == "-Infinity")
        v = -std::numeric_limits<double>::infinity();
    else
        throw Refused(path, "expected a number");
}

void fromJson(const Json& j, std::string& cp1250, const std::string& path)
{
    if (!j.is_string())
        throw Refused(path, "expected a text");
    auto text = vt::utf8ToCp1250(j.get_ref<const std::string&>());
    if (!text)
        throw Refused(path, "a character that code page 1250 cannot hold");
    cp1250 = std::move(*text);
}

void fromJson(const Json& j, KyPicture& picture, const std::string& path)
{
    auto bytes = j.is_string() ? fromBase64(j.get_ref<const std::string&>()) : std::nullopt;
    if (!bytes)
        throw Refused(path, "expected a picture in base64");
    picture.assign(bytes->begin(), bytes->end());
}

std::string channelKey(std::int32_t channel)
{
    return std::to_string(channel);
}

std::int32_t channelFromKey(const std::string& key, const std::string& path)
{
    std::int32_t channel = 0;
    auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), channel);
    if (error != std::errc() || end != key.data() + key.size() || channelKey(channel) != key)
        throw Refused(path, "\"" + key + "\" is not a channel number");
    return channel;
}

void refuseUnlessArray(const Json& j, const std::string& path)
{
    if (!j.is_array())
        throw Refused(path, "expected a list");
}

JsonReader::JsonReader(const Json& object, std::string path) : object_(object), path_(std::move(path))
{
    if (!object_.is_object())
        throw Refused(path_, "expected an object");
}

void JsonReader::refuseUnknownMembers() const
{
    for (const auto& [key, value] : object_.items())
        if (std::find(known_.begin(), known_.end(), key) == known_.end())
            throw Refused(path_ + "." + key, "unknown member");
}
