#pragma once
// The programming window's traffic with the module, one short step per timer event: the
// three queries made on opening, reading the memory into the image, erasing, and writing
// the image. The window starts a job and the timer's handler steps it, both under the show
// lock. A block command judges the module's answer to the previous request, so the reads
// and writes run as pipelines that start with one extra request. A step never allocates.

#include "dmx/Usb.h"
#include "module/ModuleImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class KyModuleJob {
public:
    enum JobState : std::uint8_t {
        Idle = 0,
        ReadingSerial = 1,
        ReadingVersion = 2,
        ReadingMemory = 3,
        WritingMemory = 4,
        Erasing = 5,
        ReadingIdentifier = 6,
    };
    enum class Outcome : std::uint8_t { None, Done, ReadError };

    // What a query brought back: the 16 text bytes (18 for identify).
    struct Answer {
        bool ok = false;
        std::array<std::uint8_t, 18> bytes{};
    };

    // Room for the largest image and the block past its end that a write sends too.
    static constexpr std::size_t kImageSize = (std::size_t{4} << 20) + kBlockSize;
    // Assumed while the serial number gives none: the memory layout of today's modules.
    static constexpr int kAssumedGeneration = kWideGeneration;
    // Status polls allowed per sector before an erase counts as failed: at 10 ms a poll,
    // five seconds a sector, several times what flash takes.
    static constexpr int kErasePollsPerSector = 500;

    explicit KyModuleJob(KyUsb& usb);

    // ---- Window side.
    void startQuery(JobState query);
    void startRead();
    // Erases, then writes the first `counts.blockCount` blocks of `image`, starting the
    // progress at `progress` of `progressMax`.
    void startWrite(std::span<const std::uint8_t> image, KyBlockCounts counts, int progress, int progressMax);
    // Ends a job the timer never finished, as a failure.
    void abandon();

    // ---- Timer side: one step of the current job; nothing when idle.
    void step();

    std::uint8_t jobState() const { return jobState_; }
    // How the last job ended, once; None while none ended since the last call.
    Outcome takeOutcome();
    int progress() const { return progress_; }
    int progressMax() const { return progressMax_; }

    int firmwareGeneration() const { return firmwareGeneration_; }
    bool generationAssumed() const { return generationAssumed_; }
    int imageBase() const { return imageBaseFor(firmwareGeneration_); }
    int blockCount() const { return counts_.blockCount; }
    const Answer& serial() const { return serial_; }
    const Answer& version() const { return version_; }
    const Answer& identity() const { return identity_; }
    // The image as read or written; a read fills the first blockCount × 256 bytes.
    std::span<const std::uint8_t> image() const { return image_; }

private:
    void stepQuery();
    void stepRead();
    void stepErase();
    void stepWrite();
    void takeGeneration();
    void finish(Outcome outcome);
    std::span<std::uint8_t, kBlockSize> block(int index);

    KyUsb& usb_;
    std::uint8_t jobState_ = Idle;
    Outcome outcome_ = Outcome::None;
    int phase_ = 0;
    int counter_ = 0;
    int progress_ = 0;
    int progressMax_ = 250;
    int firmwareGeneration_ = kAssumedGeneration;
    bool generationAssumed_ = true;
    KyBlockCounts counts_;
    Answer serial_, version_, identity_;
    std::vector<std::uint8_t> image_;
};
