#include "input/MidiDecoder.h"

namespace {

// The data bytes each channel message takes, by its high nibble 0x8-0xE.
int dataBytes(std::uint8_t status)
{
    const int type = status >> 4;
    return type == 0xC || type == 0xD ? 1 : 2;
}

} // namespace

void KyMidiDecoder::feed(std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t byte : bytes)
        feed(byte);
}

void KyMidiDecoder::feed(std::uint8_t byte)
{
    if (byte >= 0xF8)
        return; // real time: clock, start, stop, active sensing, reset
    if (byte >= 0xF0) {
        status_ = 0; // system common and exclusive cancel the running status; their data is skipped
        have_ = 0;
        return;
    }
    if (byte & 0x80) {
        status_ = byte;
        have_ = 0;
        return;
    }
    if (status_ == 0)
        return;
    data_[std::size_t(have_++)] = byte;
    if (have_ == dataBytes(status_)) {
        message();
        have_ = 0; // the status stays for the next message
    }
}

void KyMidiDecoder::message()
{
    const int channel = status_ & 0x0F;
    switch (status_ >> 4) {
    case 0x8:
        report(KyInputId::Note, channel, data_[0], 0);
        break;
    case 0x9:
        report(KyInputId::Note, channel, data_[0], data_[1] / 127.0f);
        break;
    case 0xB:
        control(channel, data_[0], data_[1]);
        break;
    default:
        break;
    }
}

void KyMidiDecoder::control(int channel, int number, int value)
{
    report(KyInputId::Control, channel, number, value / 127.0f);
    if (number < 32) {
        Pair& pair = pairs_[std::size_t(channel)][std::size_t(number)];
        pair.high = std::uint8_t(value);
        if (pair.paired)
            report(KyInputId::Control14, channel, number, (value << 7) / 16383.0f);
    } else if (number < 64) {
        Pair& pair = pairs_[std::size_t(channel)][std::size_t(number - 32)];
        pair.paired = true;
        report(KyInputId::Control14, channel, number - 32, ((pair.high << 7) | value) / 16383.0f);
    }
}

void KyMidiDecoder::report(KyInputId::Kind kind, int channel, int number, float value)
{
    sink_({{kind, std::uint8_t(channel), std::uint8_t(number), {}}, value});
}
