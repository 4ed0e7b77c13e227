#include "common/Stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vt {

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

namespace {

// A source is read this much at a time.
constexpr std::size_t kPart = std::size_t(1) << 20;

} // namespace

void ByteReader::fail()
{
    failed_ = true;
    pos_ = data_.size();
    before_ = size_ - data_.size();
}

bool ByteReader::fill(std::size_t n)
{
    const std::size_t kept = data_.size() - pos_;
    const std::size_t wanted = std::min(std::max(n, kPart), remaining());
    if (part_.size() < wanted) {
        std::vector<std::uint8_t> larger(wanted);
        if (kept)
            std::memcpy(larger.data(), data_.data() + pos_, kept);
        part_.swap(larger);
    } else if (kept) {
        std::memmove(part_.data(), data_.data() + pos_, kept);
    }
    std::size_t filled = kept;
    while (filled < wanted) {
        const std::size_t got = source_->read(part_.data() + filled, wanted - filled);
        if (got == 0) {
            // The source ended early: the data ends where it did.
            size_ = before_ + pos_ + filled;
            break;
        }
        filled += got;
    }
    before_ += pos_;
    pos_ = 0;
    data_ = std::span<const std::uint8_t>(part_.data(), filled);
    return filled >= n;
}

bool ByteReader::takeSlowly(std::size_t n, const std::uint8_t*& p)
{
    if (failed_)
        return false;
    if (n > remaining() || !source_ || !fill(n)) {
        fail();
        return false;
    }
    p = data_.data();
    pos_ = n;
    return true;
}

bool ByteReader::peek(std::size_t n, const std::uint8_t*& p)
{
    if (failed_ || n > remaining())
        return false;
    if (n > data_.size() - pos_ && (!source_ || !fill(n)))
        return false;
    p = data_.data() + pos_;
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
