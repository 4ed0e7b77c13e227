#pragma once
// The module's side of the protocol: takes the bytes that arrive on the line, finds whole
// requests in them and produces the replies the hardware would give.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

struct SimSettings {
    std::string name = "VANTOREL-SIM";
    std::uint8_t serialInput = 0;  // the identify reply's payload byte 17
    std::string version = "SIM 1.0";
    std::string serial = "SIMULATOR-12-001"; // characters 10-11: firmware generation
    int erasePolls = 3;            // status polls an erase takes
    bool garbage = false;          // answer every request with noise
};

class SimModule {
public:
    static constexpr std::size_t kRequestSize = 528;
    static constexpr std::size_t kReplySize = 272;
    static constexpr std::size_t kFlashSize = 4u << 20;
    static constexpr std::size_t kBlockSize = 256;
    static constexpr std::size_t kSectorSize = 65536;

    using Bytes = std::vector<std::uint8_t>;

    explicit SimModule(SimSettings settings);

    // Feeds bytes from the line; each reply due is appended to `replies`.
    void receive(std::span<const std::uint8_t> bytes, std::vector<Bytes>& replies);
    // Forgets a request that never completed (the sender discarded its rest).
    void dropPartialRequest() { pending_.clear(); }
    bool hasPartialRequest() const { return !pending_.empty(); }

    void flipMusic() { music_ = music_ == 1 ? 0 : 1; }
    std::uint8_t music() const { return music_; }
    int generation() const { return generation_; }
    const std::array<std::uint8_t, 512>& lastFrame() const { return lastFrame_; }

    // Called with the 512 values of every DMX frame received.
    std::function<void(const std::array<std::uint8_t, 512>&)> onFrame;
    // Called with a line naming every request received, in order: "frame", "version",
    // "serial", "identify", "read B", "write B" (B the module block), "erase A" (the byte
    // address), "status", or "command N" for another code.
    std::function<void(const std::string&)> onRequest;

private:
    bool takeRequest(Bytes& request);
    bool answer(const Bytes& request, Bytes& reply);
    static std::string describe(const Bytes& request);
    Bytes replyHeader(std::uint8_t code) const;
    Bytes noise();
    std::size_t blockCapacity() const;
    bool blockOf(const Bytes& request, std::size_t& offset) const;
    void finishErase();

    SimSettings settings_;
    int generation_ = 12;
    std::uint8_t music_ = 1; // 1: no input, as the program reads it
    Bytes pending_;
    Bytes flash_;
    std::array<std::uint8_t, 512> lastFrame_{};
    int erasePollsLeft_ = 0;
    std::size_t eraseSectors_ = 0;
    std::uint32_t noiseState_ = 12345;
};
