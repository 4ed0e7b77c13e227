#include "SimModule.h"

#include <algorithm>
#include <cctype>

namespace {

enum Command : std::uint8_t {
    DmxFrame = 1,
    ReadVersion = 2,
    ReadSerial = 3,
    ReadBlock = 4,
    WriteBlock = 5,
    Erase = 8,
    EraseStatus = 9,
    Identify = 10,
};

constexpr std::size_t kPayload = 16;
constexpr std::size_t kNoiseLength = 300; // never a whole reply, whatever it holds

int generationOf(const std::string& serial)
{
    if (serial.size() < 12 || !std::isdigit(static_cast<unsigned char>(serial[10])) ||
        !std::isdigit(static_cast<unsigned char>(serial[11])))
        return 12;
    return (serial[10] - '0') * 10 + (serial[11] - '0');
}

void putText(SimModule::Bytes& reply, const std::string& text)
{
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 16), reply.begin() + kPayload);
}

} // namespace

SimModule::SimModule(SimSettings settings)
    : settings_(std::move(settings)), generation_(generationOf(settings_.serial)), flash_(kFlashSize, 0xFF)
{
}

void SimModule::receive(std::span<const std::uint8_t> bytes, std::vector<Bytes>& replies)
{
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    Bytes request;
    while (takeRequest(request)) {
        if (onRequest)
            onRequest(describe(request));
        Bytes reply;
        if (answer(request, reply))
            replies.push_back(settings_.garbage ? noise() : std::move(reply));
    }
}

// A request starts with 0xAA and has 0x00 0x55 at offsets 14-15; anything else is skipped
// a byte at a time until one lines up.
bool SimModule::takeRequest(Bytes& request)
{
    for (;;) {
        auto start = std::find(pending_.begin(), pending_.end(), std::uint8_t{0xAA});
        pending_.erase(pending_.begin(), start);
        if (pending_.size() < kPayload)
            return false;
        if (pending_[14] == 0x00 && pending_[15] == 0x55)
            break;
        pending_.erase(pending_.begin());
    }
    if (pending_.size() < kRequestSize)
        return false;
    request.assign(pending_.begin(), pending_.begin() + kRequestSize);
    pending_.erase(pending_.begin(), pending_.begin() + kRequestSize);
    return true;
}

SimModule::Bytes SimModule::replyHeader(std::uint8_t code) const
{
    Bytes reply(kReplySize, 0);
    reply[1] = code;
    reply[12] = music_;
    return reply;
}

SimModule::Bytes SimModule::noise()
{
    Bytes bytes(kNoiseLength);
    for (auto& b : bytes) {
        noiseState_ = noiseState_ * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(noiseState_ >> 16);
    }
    return bytes;
}

// Modules before generation 12 have 64 KiB of memory; the later ones the full 4 MiB.
std::size_t SimModule::blockCapacity() const
{
    return (generation_ < 12 ? kSectorSize : kFlashSize) / kBlockSize;
}

bool SimModule::blockOf(const Bytes& request, std::size_t& offset) const
{
    std::size_t block = request[3] | (request[4] << 8) | (request[5] << 16);
    if (block >= blockCapacity())
        return false;
    offset = block * kBlockSize;
    return true;
}

void SimModule::finishErase()
{
    std::size_t sectors = std::min(eraseSectors_, blockCapacity() * kBlockSize / kSectorSize);
    std::fill_n(flash_.begin(), sectors * kSectorSize, 0xFF);
    eraseSectors_ = 0;
}

std::string SimModule::describe(const Bytes& request)
{
    const std::uint32_t block = request[3] | (request[4] << 8) | (request[5] << 16);
    switch (request[1]) {
    case DmxFrame:
        return "frame";
    case ReadVersion:
        return "version";
    case ReadSerial:
        return "serial";
    case Identify:
        return "identify";
    case ReadBlock:
        return "read " + std::to_string(block);
    case WriteBlock:
        return "write " + std::to_string(block);
    case Erase:
        return "erase " + std::to_string(block << 8 | request[2]);
    case EraseStatus:
        return "status";
    default:
        return "command " + std::to_string(request[1]);
    }
}

// Fills `reply` for a request; false when the module stays silent (an unknown command or an
// address beyond its memory).
bool SimModule::answer(const Bytes& request, Bytes& reply)
{
    std::uint8_t code = request[1];
    std::size_t offset = 0;
    switch (code) {
    case DmxFrame:
        std::copy_n(request.begin() + kPayload, lastFrame_.size(), lastFrame_.begin());
        if (onFrame)
            onFrame(lastFrame_);
        reply = replyHeader(code);
        return true;
    case ReadVersion:
        reply = replyHeader(code);
        putText(reply, settings_.version);
        return true;
    case ReadSerial:
        reply = replyHeader(code);
        putText(reply, settings_.serial);
        return true;
    case Identify:
        reply = replyHeader(code);
        putText(reply, settings_.name);
        reply[kPayload + 17] = settings_.serialInput;
        return true;
    case ReadBlock:
        if (!blockOf(request, offset))
            return false;
        reply = replyHeader(code);
        std::copy_n(flash_.begin() + static_cast<std::ptrdiff_t>(offset), kBlockSize, reply.begin() + kPayload);
        return true;
    case WriteBlock:
        if (!blockOf(request, offset))
            return false;
        // Programming flash can only clear bits; only an erase sets them again.
        for (std::size_t i = 0; i < kBlockSize; ++i)
            flash_[offset + i] &= request[kPayload + i];
        reply = replyHeader(code);
        return true;
    case Erase: {
        std::uint32_t address = request[2] | (request[3] << 8) | (request[4] << 16) | (static_cast<std::uint32_t>(request[5]) << 24);
        eraseSectors_ = address / kSectorSize + 1;
        erasePollsLeft_ = std::max(settings_.erasePolls, 1);
        reply = replyHeader(EraseStatus);
        return true;
    }
    case EraseStatus:
        if (erasePollsLeft_ > 0 && --erasePollsLeft_ == 0)
            finishErase();
        reply = replyHeader(erasePollsLeft_ > 0 ? EraseStatus : Erase);
        return true;
    default:
        return false;
    }
}
