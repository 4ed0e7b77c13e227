#pragma once
// Little-endian binary writer and bounded reader for the data files.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    // Room for `n` more bytes, for writers that know their size.
    void reserve(std::size_t n) { out_.reserve(out_.size() + n); }
    void u8(std::uint8_t v) { out_.push_back(v); }
    void boolean(bool v) { out_.push_back(v ? 1 : 0); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void f64(double v);
    void raw(const void* data, std::size_t n);
    // A 32-bit byte count followed by the bytes, no terminator.
    void str(std::string_view s);
    void bytes(std::span<const std::uint8_t> b);

    const Bytes& data() const { return out_; }
    Bytes take() { return std::move(out_); }

private:
    Bytes out_;
};

// Where a reader gets the bytes of a file it does not hold whole.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `n` bytes into `into`; 0 at the end of the data or on an error.
    virtual std::size_t read(std::uint8_t* into, std::size_t n) = 0;
};

// Reads never go past the data. A read that finds too few bytes consumes what is left,
// leaves its destination unchanged and fails the reader; every later read fails too.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data), size_(data.size()) {}
    // The `size` bytes that `source` gives, read a part at a time: only the part being read
    // is held. A source that ends early fails the reader where its data ends.
    ByteReader(ByteSource& source, std::size_t size) : size_(size), source_(&source) {}

    bool ok() const { return !failed_; }
    bool atEnd() const { return position() >= size_; }
    std::size_t remaining() const { return failed_ ? 0 : size_ - position(); }
    std::size_t position() const { return before_ + pos_; }

    bool u8(std::uint8_t& v)
    {
        const std::uint8_t* p;
        if (!take(1, p))
            return false;
        v = *p;
        return true;
    }
    bool boolean(bool& v);
    bool i32(std::int32_t& v)
    {
        std::uint32_t u;
        if (!u32(u))
            return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool u32(std::uint32_t& v)
    {
        const std::uint8_t* p;
        if (!take(4, p))
            return false;
        v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
        return true;
    }
    bool f64(double& v);
    bool raw(void* dst, std::size_t n);
    // A counted string; the text ends at the first zero byte among its bytes.
    bool str(std::string& s);
    // A counted string kept whole, zero bytes included.
    bool strWhole(std::string& s);
    bool bytes(std::vector<std::uint8_t>& b);
    // A count of records that each take at least minRecordSize bytes; a count the
    // remaining data cannot hold fails the reader instead of driving an allocation.
    bool count(std::uint32_t& n, std::size_t minRecordSize);
    // The next `n` bytes, consumed; null (and the reader failed) when fewer are left.
    const std::uint8_t* next(std::size_t n)
    {
        const std::uint8_t* p = nullptr;
        take(n, p);
        return p;
    }
    // The next `n` bytes without consuming them; false, with the reader still good, when
    // fewer are left.
    bool peek(std::size_t n, const std::uint8_t*& p);

    void fail();

private:
    bool take(std::size_t n, const std::uint8_t*& p)
    {
        if (failed_ || n > data_.size() - pos_)
            return takeSlowly(n, p);
        p = data_.data() + pos_;
        pos_ += n;
        return true;
    }
    bool takeSlowly(std::size_t n, const std::uint8_t*& p);
    // Makes the next `n` bytes (no more than remain) the ones at hand.
    bool fill(std::size_t n);

    std::span<const std::uint8_t> data_; // the bytes at hand
    std::size_t pos_ = 0;                // within them
    std::size_t before_ = 0;             // bytes of the data before them
    std::size_t size_;
    ByteSource* source_ = nullptr;
    std::vector<std::uint8_t> part_;
    bool failed_ = false;
};

} // namespace vt
