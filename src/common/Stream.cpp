#include "common/Stream.h"

#include <bit>
#include <cstring>

namespace vt {

void ByteWriter::u32(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::f64(double v)
{
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        out_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void ByteWriter::raw(const void* data, std::size_t n)
{
    auto p = static_cast<const std::uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
}

void ByteWriter::str(std::string_view s)
{
    u32(static_cast<std::uint32_t>(s.size()));
    raw(s.data(), s.size());
}

void ByteWriter::bytes(std::span<const std::uint8_t> b)
{
    u32(static_cast<std::uint32_t>(b.size()));
    raw(b.data(), b.size());
}

bool ByteReader::take(std::size_t n, const std::uint8_t*& p)
{
    if (failed_)
        return false;
    if (n > data_.size() - pos_) {
        fail();
        return false;
    }
    p = data_.data() + pos_;
    pos_ += n;
    return true;
}

bool ByteReader::u8(std::uint8_t& v)
{
    const std::uint8_t* p;
    if (!take(1, p))
        return false;
    v = *p;
    return true;
}

bool ByteReader::boolean(bool& v)
{
    std::uint8_t b;
    if (!u8(b))
        return false;
    v = b != 0;
    return true;
}

bool ByteReader::u32(std::uint32_t& v)
{
    const std::uint8_t* p;
    if (!take(4, p))
        return false;
    v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    return true;
}

bool ByteReader::i32(std::int32_t& v)
{
    std::uint32_t u;
    if (!u32(u))
        return false;
    v = static_cast<std::int32_t>(u);
    return true;
}

bool ByteReader::f64(double& v)
{
    const std::uint8_t* p;
    if (!take(8, p))
        return false;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(p[i]) << (8 * i);
    v = std::bit_cast<double>(bits);
    return true;
}

bool ByteReader::raw(void* dst, std::size_t n)
{
    const std::uint8_t* p;
    if (!take(n, p))
        return false;
    if (n)
        std::memcpy(dst, p, n);
    return true;
}

bool ByteReader::strWhole(std::string& s)
{
    std::uint32_t n;
    const std::uint8_t* p;
    if (!u32(n) || !take(n, p))
        return false;
    s.assign(reinterpret_cast<const char*>(p), n);
    return true;
}

bool ByteReader::str(std::string& s)
{
    if (!strWhole(s))
        return false;
    if (auto zero = s.find('\0'); zero != std::string::npos)
        s.resize(zero);
    return true;
}

bool ByteReader::bytes(std::vector<std::uint8_t>& b)
{
    std::uint32_t n;
    const std::uint8_t* p;
    if (!u32(n) || !take(n, p))
        return false;
    b.assign(p, p + n);
    return true;
}

bool ByteReader::count(std::uint32_t& n, std::size_t minRecordSize)
{
    std::uint32_t v;
    if (!u32(v))
        return false;
    if (minRecordSize && v > remaining() / minRecordSize) {
        fail();
        return false;
    }
    n = v;
    return true;
}

} // namespace vt
