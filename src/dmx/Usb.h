#pragma once
// The link to the DMX interface module: finding it among the serial ports, one DMX frame per
// tick, reconnection without the operator, and the memory commands of the programming window.
// Every exchange reads the reply that is waiting and then writes a fixed-size request, so a
// reply is always judged one exchange late.

#include "dmx/Rs232.h"
#include "dmx/SerialPorts.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What discovery needs from the operator; the windows provide it, tests fake it.
class KyModuleChooser {
public:
    virtual ~KyModuleChooser() = default;
    // No module answered: tell the operator once.
    virtual void noModule() = 0;
    // A port exists but the user may not open it: tell the operator the way out.
    virtual void noAccess(const std::string& portPath) = 0;
    // Several answered: the index of the operator's choice among `names` (cp1250), or -1.
    virtual int choose(const std::vector<std::string>& names) = 0;
};

// What the operator is told about a port the user may not open.
std::string noAccessMessage(const std::string& portPath);

// Rewrites the 512 values of an outgoing frame while blackout is on; the universe stays as it is.
class KyFrameOverride {
public:
    virtual ~KyFrameOverride() = default;
    virtual void overrideFrame(std::span<std::uint8_t, 512> payload) = 0;
};

// Another output beside the module: gets every frame of the tick exactly as the module would
// (blackout included), whether or not a module is connected. Runs inside the tick.
class KyFrameOutput {
public:
    virtual ~KyFrameOutput() = default;
    virtual void frameBuilt(std::span<const std::uint8_t, 512> frame) = 0;
};

class KyUsb {
public:
    static constexpr int kRequestSize = 528;
    static constexpr int kReplySize = 272;
    static constexpr int kPayloadOffset = 16;
    static constexpr int kTableSize = 256;

    struct ModuleEntry {
        std::string name; // cp1250, as the module reports it
        std::string portPath;
    };

    // Without a lister the link sees no ports at all.
    explicit KyUsb(SerialPortLister ports = {});

    // The full search at start-up; true when a module is connected.
    bool discover(KyModuleChooser& chooser);
    // One DMX frame; `inputChanged` becomes whether the music input changed since the last
    // frame, false while no module is connected.
    bool sendFrame(std::span<const std::uint8_t, 512> universe, bool& inputChanged);
    // The last frame built, blackout included, whether or not a module took it; zeros
    // before the first.
    const std::array<std::uint8_t, 512>& lastFrame() const { return frame_; }
    // One reconnection probe, run by the tick after a failed frame.
    bool reconnectStep();
    void closePort();
    // Opens the port again with its last settings; the connection state is left to the next frame.
    void reopenPort();

    // Memory commands; each is refused while no module is connected.
    bool identify(std::span<std::uint8_t, 18> out);
    bool readSerial(std::span<std::uint8_t, 16> out);
    bool readVersion(std::span<std::uint8_t, 16> out);
    // Phase 0 starts erasing, any other phase polls; true once the module reports the erase done.
    bool erase(int phase, int block);
    // Image block `block` lives in module block `firstBlock + block`.
    bool readBlock(std::span<std::uint8_t, 256> out, int block, int firstBlock);
    bool writeBlock(std::span<const std::uint8_t, 256> data, int block, int firstBlock);
    // Whether a whole answer to the last request is waiting; never waits for it.
    bool replyWaiting() const;
    // Whether the port refused the last memory request: the module unplugged, the port gone.
    // The connection state is left to the next frame, which starts the reconnection.
    bool requestRefused() const { return requestRefused_; }

    int portCount = 0;
    int probeBudget = 0;
    C_RS232 port;
    std::uint8_t moduleState = 0; // 1 connected
    int foundCount = 0;
    int selectedModule = -1;
    std::array<ModuleEntry, kTableSize> moduleTable;
    std::string connectedModuleName; // cp1250
    bool blackoutActive = false;
    KyFrameOverride* blackoutOverride = nullptr;
    KyFrameOutput* frameOutput = nullptr;
    // The block commands refuse blocks beyond this; the programming window sets it.
    int blockCount = 0;

private:
    bool openPortAt(const std::string& path);
    // Sends an identify request and reads the answer after `waitMs`; true if a whole reply came.
    bool askIdentity(int waitMs);
    std::string replyName() const;
    void setAddress(int block);
    bool exchange(std::uint8_t command);
    // A memory request; false when the port refuses it.
    bool memoryExchange(std::uint8_t command);
    bool blockAllowed(int block) const;
    void buildFrame(std::span<const std::uint8_t, 512> universe);

    SerialPortLister ports_;
    bool lastInput_ = false;
    bool requestRefused_ = false;
    std::array<std::uint8_t, kRequestSize> request_{};
    std::array<std::uint8_t, kReplySize> reply_{};
    // Kept apart from the request, which the memory commands fill with their blocks.
    std::array<std::uint8_t, 512> frame_{};
};
