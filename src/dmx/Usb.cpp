#include "dmx/Usb.h"

#include "common/Translatable.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

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

constexpr int kModuleBaudIndex = 6; // 56000 bit/s
constexpr int kDiscoveryWaitMs = 100;
constexpr int kProbeWaitMs = 10;
void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

std::string noAccessMessage(const std::string& portPath)
{
    return vt::filled(
        VT_TRANSLATABLE("Core", "Brak dostępu do portu %1. Dodaj użytkownika do grupy dialout i zaloguj się ponownie."),
        {portPath});
}

KyUsb::KyUsb(SerialPortLister ports) : ports_(std::move(ports))
{
    request_[0] = 0xAA;
    request_[14] = 0x00;
    request_[15] = 0x55;
}

bool KyUsb::openPortAt(const std::string& path)
{
    port.configure(path, kModuleBaudIndex, true, C_RS232::NoParity, C_RS232::OneStopBit);
    port.close();
    return port.open();
}

bool KyUsb::askIdentity(int waitMs)
{
    request_[1] = Identify;
    port.read(reply_);
    port.write(request_);
    sleepMs(waitMs);
    return port.read(reply_);
}

std::string KyUsb::replyName() const
{
    const auto* name = reinterpret_cast<const char*>(reply_.data() + kPayloadOffset);
    return std::string(name, strnlen(name, 16));
}

bool KyUsb::discover(KyModuleChooser& chooser)
{
    port.close();
    std::vector<std::string> paths = ports_ ? ports_() : std::vector<std::string>{};
    portCount = static_cast<int>(paths.size());
    selectedModule = -1;
    int found = 0;
    std::vector<std::string> denied;
    // A full table ends the search: there is nowhere to keep a further module.
    for (std::size_t j = 0; j < paths.size() && found < kTableSize; ++j) {
        if (!openPortAt(paths[j])) {
            if (port.accessDenied())
                denied.push_back(paths[j]);
            port.close();
            moduleState = 0;
            continue;
        }
        bool answered = askIdentity(kDiscoveryWaitMs);
        port.close();
        if (!answered && j > 0)
            sleepMs(kProbeWaitMs);
        if (answered && reply_[1] == Identify)
            moduleTable[static_cast<std::size_t>(found++)] = {replyName(), paths[j]};
    }
    foundCount = found;
    // Before "no module": a port the user may not open is the likeliest reason for it.
    for (const auto& path : denied)
        chooser.noAccess(path);

    if (found == 0) {
        chooser.noModule();
        moduleState = 0;
    } else if (found == 1) {
        selectedModule = 0;
    } else {
        std::vector<std::string> names;
        for (int i = 0; i < found; ++i)
            names.push_back(moduleTable[static_cast<std::size_t>(i)].name);
        int choice = chooser.choose(names);
        selectedModule = choice >= 0 && choice < found ? choice : -1;
    }

    if (selectedModule != -1) {
        const ModuleEntry& entry = moduleTable[static_cast<std::size_t>(selectedModule)];
        openPortAt(entry.portPath); // a failure shows at the first frame, and reconnection takes over
        request_[1] = DmxFrame;
        connectedModuleName = entry.name;
        moduleState = 1;
    }
    return moduleState == 1;
}

// The frame goes to the other output even while no module is connected.
void KyUsb::buildFrame(std::span<const std::uint8_t, 512> universe)
{
    std::copy(universe.begin(), universe.end(), frame_.begin());
    if (blackoutActive && blackoutOverride)
        blackoutOverride->overrideFrame(frame_);
    std::copy(frame_.begin(), frame_.end(), request_.begin() + kPayloadOffset);
    if (frameOutput)
        frameOutput->frameBuilt(frame_);
}

bool KyUsb::sendFrame(std::span<const std::uint8_t, 512> universe, bool& inputChanged)
{
    buildFrame(universe);
    if (moduleState != 1) {
        inputChanged = false; // a change reported before the link was lost is not pulsed again
        return false;
    }
    request_[1] = DmxFrame;
    port.read(reply_);
    bool written = port.write(request_);
    bool input = reply_[12] != 1;
    inputChanged = input != lastInput_;
    lastInput_ = input;
    moduleState = written ? 1 : 0;
    return written;
}

bool KyUsb::reconnectStep()
{
    port.close();
    std::vector<std::string> paths = ports_ ? ports_() : std::vector<std::string>{};
    int count = static_cast<int>(paths.size());
    if (count != portCount) {
        portCount = count;
        probeBudget = count;
    }
    if (probeBudget <= 0 || probeBudget > count) {
        probeBudget = 0;
        moduleState = 0;
        return false;
    }
    --probeBudget;
    // With nothing selected the ports are probed from the last listed to the first.
    std::string path = selectedModule != -1 ? moduleTable[static_cast<std::size_t>(selectedModule)].portPath
                                            : paths[static_cast<std::size_t>(probeBudget)];
    if (!openPortAt(path) || !askIdentity(kProbeWaitMs) || reply_[1] != Identify) {
        port.close();
        moduleState = 0;
        return false;
    }
    // A module selected before the loss keeps its entry; otherwise the found one takes the
    // entry after those found at start-up, so the table never points at another module's port.
    int slot = selectedModule != -1 ? selectedModule : std::min(foundCount, kTableSize - 1);
    moduleTable[static_cast<std::size_t>(slot)] = {replyName(), path};
    connectedModuleName = moduleTable[static_cast<std::size_t>(slot)].name;
    selectedModule = slot;
    moduleState = 1;
    probeBudget = 0;
    return true;
}

void KyUsb::closePort()
{
    port.close();
}

void KyUsb::reopenPort()
{
    port.close();
    port.open();
}

bool KyUsb::exchange(std::uint8_t command)
{
    request_[1] = command;
    port.read(reply_);
    return port.write(request_);
}

void KyUsb::setAddress(int block)
{
    auto value = static_cast<std::uint32_t>(block);
    request_[2] = 0;
    request_[3] = static_cast<std::uint8_t>(value);
    request_[4] = static_cast<std::uint8_t>(value >> 8);
    request_[5] = static_cast<std::uint8_t>(value >> 16);
}

bool KyUsb::identify(std::span<std::uint8_t, 18> out)
{
    if (moduleState != 1)
        return false;
    exchange(Identify);
    exchange(Identify);
    if (reply_[1] != Identify)
        return false;
    std::copy_n(reply_.begin() + kPayloadOffset, out.size(), out.begin());
    return true;
}

bool KyUsb::readSerial(std::span<std::uint8_t, 16> out)
{
    if (moduleState != 1)
        return false;
    exchange(ReadSerial);
    if (reply_[1] != ReadSerial)
        return false;
    std::copy_n(reply_.begin() + kPayloadOffset, out.size(), out.begin());
    return true;
}

bool KyUsb::readVersion(std::span<std::uint8_t, 16> out)
{
    if (moduleState != 1)
        return false;
    exchange(ReadVersion);
    exchange(ReadVersion);
    if (reply_[1] != ReadVersion)
        return false;
    std::copy_n(reply_.begin() + kPayloadOffset, out.size(), out.begin());
    return true;
}

bool KyUsb::replyWaiting() const
{
    return port.inQueue() >= kReplySize;
}

bool KyUsb::memoryExchange(std::uint8_t command)
{
    reply_[1] = 0;
    requestRefused_ = !exchange(command);
    return !requestRefused_;
}

bool KyUsb::erase(int phase, int block)
{
    if (moduleState != 1)
        return false;
    setAddress(block);
    return memoryExchange(phase == 0 ? Erase : EraseStatus) && phase != 0 && reply_[1] == Erase;
}

bool KyUsb::blockAllowed(int block) const
{
    return moduleState == 1 && block >= 0 && block <= blockCount;
}

bool KyUsb::readBlock(std::span<std::uint8_t, 256> out, int block, int firstBlock)
{
    if (!blockAllowed(block))
        return false;
    setAddress(firstBlock + block);
    if (!memoryExchange(ReadBlock) || reply_[1] != ReadBlock)
        return false;
    std::copy_n(reply_.begin() + kPayloadOffset, out.size(), out.begin());
    return true;
}

bool KyUsb::writeBlock(std::span<const std::uint8_t, 256> data, int block, int firstBlock)
{
    if (!blockAllowed(block))
        return false;
    setAddress(firstBlock + block);
    std::copy(data.begin(), data.end(), request_.begin() + kPayloadOffset);
    return memoryExchange(WriteBlock) && reply_[1] == WriteBlock;
}
