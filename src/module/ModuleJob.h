#pragma once
// The programming window's traffic with the module, one short step per timer event: the
// three queries made on opening, reading the memory into the image, erasing, and writing
// the image. The window starts a job and the timer's handler steps it, both under the show
// lock. A block command judges the module's answer to the previous request, so the reads
// and writes run as pipelines that start with one extra request. A step never waits for the
// module: while the answer to its last request is not in, it sends nothing and looks again
// at the next step. A step never allocates.

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
        static constexpr std::size_t kTextLength = 16;
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
    // Steps a memory request waits for the answer to the one before before it goes out
    // anyway (and so judges a missing answer as a failure): 40 ms at the transfer pace, for a
    // module that answers a little late (a busy computer, a slow USB bridge).
    static constexpr int kAnswerWaitSteps = 4;
    // The progress range of a read until block 0 gives the image's block count.
    static constexpr int kUncountedProgressMax = 250;

    explicit KyModuleJob(KyUsb& usb);

    // ---- Window side.
    void startQuery(JobState query);
    void startRead();
    // Erases, then writes the first `counts.blockCount` blocks of `image`. The progress counts
    // the blocks written of the image's.
    void startWrite(std::span<const std::uint8_t> image, KyBlockCounts counts);
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
    // The image's blocks: those read, or those to write.
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
    // Whether a memory request may go out now; ends the job when the module was lost.
    bool mayExchange();
    void sent();
    void finish(Outcome outcome);
    int firstModuleBlock() const { return firstModuleBlockFor(firmwareGeneration_); }
    std::span<std::uint8_t, kBlockSize> block(int index);

    KyUsb& usb_;
    std::uint8_t jobState_ = Idle;
    Outcome outcome_ = Outcome::None;
    int phase_ = 0;
    int counter_ = 0;
    bool awaitingAnswer_ = false;
    int stepsWaited_ = 0;
    int progress_ = 0;
    int progressMax_ = kUncountedProgressMax;
    int firmwareGeneration_ = kAssumedGeneration;
    bool generationAssumed_ = true;
    KyBlockCounts counts_;
    Answer serial_, version_, identity_;
    std::vector<std::uint8_t> image_;
};
