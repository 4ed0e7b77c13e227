#pragma once
// Model values in JSON and back. Every record is described once, by a `describe` function
// that names its members to an `Io`: the writer builds a JSON object from them, the reader
// fills them from one. Members missing from a document keep the value they had (callers
// start from the model's defaults); unknown members and values a member cannot hold are
// refused with the place in the document where they were found.

#include "library/Device.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

using Json = nlohmann::ordered_json;

// Input that cannot become the model; the message says where and why.
struct Refused : std::runtime_error {
    Refused(const std::string& path, const std::string& why) : std::runtime_error(path + ": " + why) {}
};

// A record's members, const while writing.
template <class Io, class T>
using Member = std::conditional_t<Io::writes, const T&, T&>;

Json toJson(bool v);
Json toJson(std::uint8_t v);
Json toJson(std::int32_t v);
Json toJson(std::uint32_t v);
// Values JSON has no number for are written as "NaN", "Infinity" and "-Infinity".
Json toJson(double v);
// Texts are cp1250 in the models and UTF-8 in the document.
Json toJson(const std::string& cp1250);
// Pictures (the bytes of a BMP file) as base64.
Json toJson(const KyPicture& picture);

void fromJson(const Json& j, bool& v, const std::string& path);
void fromJson(const Json& j, std::uint8_t& v, const std::string& path);
void fromJson(const Json& j, std::int32_t& v, const std::string& path);
void fromJson(const Json& j, std::uint32_t& v, const std::string& path);
void fromJson(const Json& j, double& v, const std::string& path);
// Refuses text that cp1250 cannot hold.
void fromJson(const Json& j, std::string& cp1250, const std::string& path);
void fromJson(const Json& j, KyPicture& picture, const std::string& path);

// A channel number as a key of a JSON object, and back (refusing anything but the
// number's own decimal form).
std::string channelKey(std::int32_t channel);
std::int32_t channelFromKey(const std::string& key, const std::string& path);

// Records (through their `describe`), shared records, lists, fixed-length lists (a shorter
// one leaves the entries after it as they are) and maps keyed by channel.
template <class T>
Json toJson(const T& record);
template <class T>
Json toJson(const std::shared_ptr<T>& record);
template <class T, class A>
Json toJson(const std::vector<T, A>& list);
template <class T, std::size_t N>
Json toJson(const std::array<T, N>& list);
template <class T>
Json toJson(const std::map<std::int32_t, T>& byChannel);
template <class T>
void fromJson(const Json& j, T& record, const std::string& path);
template <class T>
void fromJson(const Json& j, std::shared_ptr<T>& record, const std::string& path);
template <class T, class A>
void fromJson(const Json& j, std::vector<T, A>& list, const std::string& path);
template <class T, std::size_t N>
void fromJson(const Json& j, std::array<T, N>& list, const std::string& path);
template <class T>
void fromJson(const Json& j, std::map<std::int32_t, T>& byChannel, const std::string& path);

class JsonWriter {
public:
    static constexpr bool writes = true;

    template <class T>
    void operator()(const char* key, const T& value)
    {
        out_[key] = toJson(value);
    }
    Json take() { return std::move(out_); }

private:
    Json out_ = Json::object();
};

class JsonReader {
public:
    static constexpr bool writes = false;

    JsonReader(const Json& object, std::string path);

    template <class T>
    void operator()(const char* key, T& value)
    {
        known_.push_back(key);
        if (auto it = object_.find(key); it != object_.end())
            fromJson(*it, value, path_ + "." + key);
    }
    bool has(const char* key) const { return object_.contains(key); }
    void refuseUnknownMembers() const;

private:
    const Json& object_;
    std::string path_;
    std::vector<std::string> known_;
};

template <class T>
Json toJson(const T& record)
{
    JsonWriter w;
    describe<JsonWriter>(w, record);
    return w.take();
}

template <class T>
Json toJson(const std::shared_ptr<T>& record)
{
    return toJson(*record);
}

template <class T, class A>
Json toJson(const std::vector<T, A>& list)
{
    Json out = Json::array();
    for (const auto& entry : list)
        out.push_back(toJson(entry));
    return out;
}

template <class T, std::size_t N>
Json toJson(const std::array<T, N>& list)
{
    Json out = Json::array();
    for (const auto& entry : list)
        out.push_back(toJson(entry));
    return out;
}

template <class T>
Json toJson(const std::map<std::int32_t, T>& byChannel)
{
    Json out = Json::object();
    for (const auto& [channel, entry] : byChannel)
        out[channelKey(channel)] = toJson(entry);
    return out;
}

template <class T>
void fromJson(const Json& j, T& record, const std::string& path)
{
    JsonReader r(j, path);
    describe<JsonReader>(r, record);
    r.refuseUnknownMembers();
}

template <class T>
void fromJson(const Json& j, std::shared_ptr<T>& record, const std::string& path)
{
    auto fresh = std::make_shared<T>();
    fromJson(j, *fresh, path);
    record = std::move(fresh);
}

inline std::string indexPath(const std::string& path, std::size_t i)
{
    return path + "[" + std::to_string(i) + "]";
}

void refuseUnlessArray(const Json& j, const std::string& path);

template <class T, class A>
void fromJson(const Json& j, std::vector<T, A>& list, const std::string& path)
{
    refuseUnlessArray(j, path);
    std::vector<T, A> read;
    for (std::size_t i = 0; i < j.size(); ++i) {
        T entry{};
        fromJson(j[i], entry, indexPath(path, i));
        read.push_back(std::move(entry));
    }
    list = std::move(read);
}

template <class T, std::size_t N>
void fromJson(const Json& j, std::array<T, N>& list, const std::string& path)
{
    refuseUnlessArray(j, path);
    if (j.size() > N)
        throw Refused(path, "more than " + std::to_string(N) + " entries");
    for (std::size_t i = 0; i < j.size(); ++i)
        fromJson(j[i], list[i], indexPath(path, i));
}

template <class T>
void fromJson(const Json& j, std::map<std::int32_t, T>& byChannel, const std::string& path)
{
    if (!j.is_object())
        throw Refused(path, "expected an object keyed by channel");
    std::map<std::int32_t, T> read;
    for (const auto& [key, value] : j.items()) {
        T entry{};
        fromJson(value, entry, path + "." + key);
        read[channelFromKey(key, path)] = std::move(entry);
    }
    byChannel = std::move(read);
}
