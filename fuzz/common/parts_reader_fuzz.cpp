// The reader of large files, which holds only the part being read: any bytes, given in pieces
// of any size, read exactly as the reader over the whole bytes reads them, failures included.
// The first bytes choose the reads and the sizes of the pieces; the rest is the file.
#include "common/Stream.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Gives the file in pieces of 1 to 7 bytes, and may end before its size says.
class Pieces : public vt::ByteSource {
public:
    Pieces(std::span<const std::uint8_t> data, std::uint8_t pattern) : data_(data), pattern_(pattern) {}
    std::size_t read(std::uint8_t* into, std::size_t n) override
    {
        const std::size_t piece = std::min({n, std::size_t(1 + (pattern_ + calls_++) % 7), data_.size() - at_});
        std::memcpy(into, data_.data() + at_, piece);
        at_ += piece;
        return piece;
    }

private:
    std::span<const std::uint8_t> data_;
    std::uint8_t pattern_;
    std::size_t at_ = 0, calls_ = 0;
};

// One read of kind `op` on `in`, as text to compare.
std::string readOne(vt::ByteReader& in, std::uint8_t op)
{
    std::uint8_t u8 = 0;
    std::uint32_t u32 = 0;
    double f64 = 0;
    std::string s;
    std::vector<std::uint8_t> bytes;
    std::uint8_t raw[300] = {};
    const std::uint8_t* peeked = nullptr;
    bool ok = false;
    std::string value;
    switch (op % 8) {
    case 0: ok = in.u8(u8); value = std::to_string(u8); break;
    case 1: ok = in.u32(u32); value = std::to_string(u32); break;
    case 2: ok = in.f64(f64); std::memcpy(&u32, &f64, 4); value = std::to_string(u32); break;
    case 3: ok = in.str(s); value = s; break;
    case 4: ok = in.bytes(bytes); value.assign(bytes.begin(), bytes.end()); break;
    case 5: ok = in.raw(raw, op / 8 * 9); value.assign(raw, raw + op / 8 * 9); break;
    case 6: ok = in.count(u32, op / 8 + 1); value = std::to_string(u32); break;
    case 7:
        ok = in.peek(op / 8 * 9, peeked);
        if (ok)
            value.assign(peeked, peeked + op / 8 * 9);
        break;
    }
    return std::to_string(ok) + value + "|" + std::to_string(in.ok()) + std::to_string(in.position()) + "|" +
           std::to_string(in.remaining()) + std::to_string(in.atEnd());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::size_t opCount = std::min<std::size_t>(data[0] % 64, size - 2);
    const std::span<const std::uint8_t> ops(data + 2, opCount);
    const std::span<const std::uint8_t> file(data + 2 + opCount, size - 2 - opCount);
    // The size the file claims: its own, or more when the pattern says it ends early.
    const std::size_t claimed = file.size() + (data[1] & 0x80 ? data[1] % 5 : 0);
    std::vector<std::uint8_t> whole(file.begin(), file.end());
    Pieces pieces(file, data[1]);
    vt::ByteReader inParts(pieces, claimed);
    vt::ByteReader inWhole(whole);
    const bool cut = claimed != file.size();
    for (std::uint8_t op : ops) {
        const std::string a = readOne(inParts, op), b = readOne(inWhole, op);
        // A file that ends before its size is read alike up to where it ends.
        if (a != b && !cut)
            __builtin_trap();
    }
    return 0;
}
