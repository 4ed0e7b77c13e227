#include "module/ModuleJob.h"

#include <algorithm>
#include <utility>

namespace {

bool isDigit(std::uint8_t c)
{
    return c >= '0' && c <= '9';
}

} // namespace

KyModuleJob::KyModuleJob(KyUsb& usb) : usb_(usb), image_(kImageSize, 0)
{
}

void KyModuleJob::startQuery(JobState query)
{
    jobState_ = query;
    phase_ = 0;
}

void KyModuleJob::startRead()
{
    jobState_ = ReadingMemory;
    phase_ = 0;
    counter_ = 0;
    awaitingAnswer_ = false;
    progress_ = 0;
    progressMax_ = kUncountedProgressMax;
}

void KyModuleJob::startWrite(std::span<const std::uint8_t> image, KyBlockCounts counts)
{
    std::fill(image_.begin(), image_.end(), 0);
    std::copy_n(image.begin(), std::min(image.size(), image_.size()), image_.begin());
    counts_ = counts;
    // The pipeline reads one block past the last; both must lie in the buffer.
    counts_.blockCount = std::min(counts.blockCount, static_cast<int>(kImageSize / kBlockSize) - 2);
    jobState_ = Erasing;
    phase_ = 0;
    counter_ = 0;
    awaitingAnswer_ = false;
    progress_ = 0;
    progressMax_ = counts_.blockCount;
}

void KyModuleJob::abandon()
{
    if (jobState_ == Idle)
        return;
    if (jobState_ == ReadingSerial) {
        serial_.ok = false;
        takeGeneration();
    }
    finish(Outcome::ReadError);
}

KyModuleJob::Outcome KyModuleJob::takeOutcome()
{
    return std::exchange(outcome_, Outcome::None);
}

void KyModuleJob::step()
{
    switch (jobState_) {
    case Idle:
        return;
    case ReadingSerial:
    case ReadingVersion:
    case ReadingIdentifier:
        stepQuery();
        return;
    case ReadingMemory:
        stepRead();
        return;
    case Erasing:
        stepErase();
        return;
    case WritingMemory:
        stepWrite();
        return;
    }
}

void KyModuleJob::finish(Outcome outcome)
{
    jobState_ = Idle;
    outcome_ = outcome;
    phase_ = 0;
    counter_ = 0;
    progress_ = 0;
}

bool KyModuleJob::mayExchange()
{
    if (usb_.moduleState != 1) {
        finish(Outcome::ReadError);
        return false;
    }
    if (awaitingAnswer_ && !usb_.replyWaiting() && ++stepsWaited_ <= kAnswerWaitSteps)
        return false;
    stepsWaited_ = 0;
    return true;
}

// A request went out, or the port refused it and the module is gone: then the job ends now.
void KyModuleJob::sent()
{
    awaitingAnswer_ = true;
    if (usb_.requestRefused())
        finish(Outcome::ReadError);
}

std::span<std::uint8_t, kBlockSize> KyModuleJob::block(int index)
{
    return std::span<std::uint8_t, kBlockSize>(image_.data() + std::size_t(index) * kBlockSize, kBlockSize);
}

// Each query is asked twice: the first answer still belongs to the request before it.
void KyModuleJob::stepQuery()
{
    Answer& answer = jobState_ == ReadingSerial ? serial_ : jobState_ == ReadingVersion ? version_ : identity_;
    std::span<std::uint8_t, Answer::kTextLength> text(answer.bytes.data(), Answer::kTextLength);
    bool ok = false;
    if (jobState_ == ReadingSerial)
        ok = usb_.readSerial(text);
    else if (jobState_ == ReadingVersion)
        ok = usb_.readVersion(text);
    else
        ok = usb_.identify(answer.bytes);
    if (phase_++ == 0)
        return;
    answer.ok = ok;
    if (jobState_ == ReadingSerial)
        takeGeneration();
    finish(Outcome::Done);
}

// Characters 10 and 11 of the serial number are the generation's two digits. Without them
// the module's generation is unknown and today's layout is assumed.
void KyModuleJob::takeGeneration()
{
    const auto& b = serial_.bytes;
    generationAssumed_ = !serial_.ok || !isDigit(b[10]) || !isDigit(b[11]);
    firmwareGeneration_ = generationAssumed_ ? kAssumedGeneration : 10 * (b[10] - '0') + (b[11] - '0');
}

// Each step receives block k and asks for block k + 1; the request past the last block is
// refused without an exchange, which is how a complete read ends.
void KyModuleJob::stepRead()
{
    if (!mayExchange())
        return;
    if (phase_ == 0) {
        counts_.blockCount = usb_.blockCount = 1;
        usb_.readBlock(block(0), 0, firstModuleBlock());
        phase_ = 1;
        sent();
        return;
    }
    const int k = counter_++;
    if (!usb_.readBlock(block(k), k + 1, firstModuleBlock())) {
        finish(counter_ == counts_.blockCount + 1 && !usb_.requestRefused() ? Outcome::Done : Outcome::ReadError);
        return;
    }
    sent();
    progress_ = counter_;
    if (counter_ != 1)
        return;
    // Block 0 is in: its header says how many blocks the image has. Modules before
    // generation 12 always give their whole memory; a count beyond the largest image is
    // damage, and reading stops there.
    int count = image_[kBlockCountOffset] | image_[kBlockCountOffset + 1] << 8;
    if (count == 0 || isOldGeneration(firmwareGeneration_))
        count = kOldImageBlocks;
    else
        count = std::min(count, maxBlocksFor(firmwareGeneration_));
    counts_.blockCount = usb_.blockCount = count;
    progressMax_ = count;
}

void KyModuleJob::stepErase()
{
    if (!mayExchange())
        return;
    if (phase_ == 0) {
        usb_.erase(0, (counts_.eraseCount - 1) * kBlockSize);
        phase_ = 1;
        counter_ = 0;
        sent();
        return;
    }
    const bool erased = usb_.erase(1, 0);
    sent();
    if (jobState_ == Idle)
        return;
    if (erased) {
        jobState_ = WritingMemory;
        phase_ = 0;
        counter_ = 0;
        return;
    }
    if (++counter_ >= kErasePollsPerSector * std::max(1, counts_.eraseCount))
        finish(Outcome::ReadError);
}

// Block 0 goes out twice, then blocks 1 up to one past the last; the refusal of the request
// after that ends a write in which every block was acknowledged.
void KyModuleJob::stepWrite()
{
    if (!mayExchange())
        return;
    if (phase_ == 0) {
        usb_.blockCount = counts_.blockCount;
        usb_.writeBlock(block(0), 0, firstModuleBlock());
        phase_ = 1;
        sent();
        return;
    }
    const int c = ++counter_;
    if (usb_.writeBlock(block(c - 1), c - 1, firstModuleBlock())) {
        progress_ = std::min(c, counts_.blockCount); // the last step goes one past the image
        sent();
    } else {
        finish(c == counts_.blockCount + 2 && !usb_.requestRefused() ? Outcome::Done : Outcome::ReadError);
    }
}
