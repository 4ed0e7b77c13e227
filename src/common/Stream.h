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
    void u8(std::uint8_t v) { out_.push_back(v); }
    void boolean(bool v) { out_.push_back(v ? 1 : 0); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u32(std::uint32_t v);
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

// Reads never go past the data. A read that finds too few bytes consumes what is left,
// leaves its destination unchanged and fails the reader; every later read fails too.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool ok() const { return !failed_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    std::size_t remaining() const { return failed_ ? 0 : data_.size() - pos_; }
    std::size_t position() const { return pos_; }

    bool u8(std::uint8_t& v);
    bool boolean(bool& v);
    bool i32(std::int32_t& v);
    bool u32(std::uint32_t& v);
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

    void fail() { failed_ = true; pos_ = data_.size(); }

private:
    bool take(std::size_t n, const std::uint8_t*& p);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace vt
