#pragma once
// The show: every model object of the running program, the start-up loading and exit
// saving of the data files, and the body of the 50 ms tick. The main window owns one.

#include "app/DataPaths.h"
#include "club/Icons.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "dmx/OlaOutput.h"
#include "dmx/Usb.h"
#include "functions/Blackout.h"
#include "generator/GenList.h"
#include "library/Library.h"
#include "music/AudioBeats.h"
#include "music/BeatSource.h"
#include "panel/Panel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class KyShow {
public:
    enum CloseState : std::uint8_t { Running = 0, CloseRequested = 1, OutputClosed = 2 };

    // `ports` lists the serial ports the module link may probe; without it the link sees none.
    explicit KyShow(DataPaths paths, SerialPortLister ports = {});

    const DataPaths& paths() const { return paths_; }

    // The one lock that serialises the tick and every window-side operation on what the
    // tick touches. Never held across a dialog, a message box or a sleep.
    std::mutex& showLock() { return showLock_; }

    // Model objects, constructed in this order and destroyed in reverse.
    KyLibrary library; // with the installation, library.club
    KyIcons icons;
    KyGenList genList;
    KySeque seque;
    KyDmxSpace dmx;
    KyUsb usb;
    // Rewrites the outgoing frames while the blackout window is shown; usb applies it.
    KyBlackoutOverride blackout{icons};
    // The second output, through the OLA daemon; usb hands it every frame. Off until its
    // target is set; it keeps its own thread and needs no show lock.
    KyOlaOutput ola;
    // The direct-access window's buttons, which live as long as that window.
    KyPanel panel{seque, dmx};

    bool musicMode = false;
    // True for the tick after the module's music input changed; written by each frame.
    bool inputChanged = false;
    // Beats of the computer's audio or of taps, pulsing music stepping beside the module's
    // input; the audio thread feeds it, and stops before it goes.
    KyBeatSource beats;
    KyAudioBeats audioBeats{beats.audio()};
    std::array<std::string, 10> zoneNames; // cp1250
    std::vector<std::string> pageNames;    // cp1250, at least one

    // Start-up steps that read the data files, in their order. A file that did not load
    // completely is set aside and described in `warnings`, and so is a file that could not
    // be read at all, which no save of this run overwrites; a file that must end the
    // start-up throws std::runtime_error with its message.
    void loadAll(std::vector<std::string>& warnings);
    // A data file that was there at start-up but could not be read.
    bool mustNotOverwrite(const std::string& path) const { return unreadable_.count(path) != 0; }
    // Exit saving, in its order. Returns one message per file that could not be written.
    std::vector<std::string> saveAtExit();
    // Save one file when its window closes. Empty, or the message that says why not.
    // New icons for the installed devices on the current pages, nothing selected. Callers
    // hold the show lock once the tick runs.
    void rebuildIcons();
    std::string saveLibrary();
    std::string saveClub();
    // While the tick runs (the sequence editor's saves): the bytes are made under the show
    // lock and written after letting go of it.
    std::string saveSequences();
    // Also written by the cue editor's save, save-as and erase.
    std::string saveCues();

    // The tick body; takes the show lock.
    void tick();

    // Close sequence: a request stops all output at the next tick; cancelling reopens the
    // port and resumes output.
    void requestClose();
    void cancelClose();
    std::uint8_t closeState();

private:
    void tickLocked();
    void sendOutputFrame();
    void noteLoad(vt::LoadStatus status, const std::string& path, std::vector<std::string>& warnings);
    // Writes a data file through `write` unless it must not be overwritten. Empty, or the
    // message that says why it could not be written.
    std::string save(const std::string& path, const std::function<bool(std::string* reason)>& write) const;

    DataPaths paths_;
    std::set<std::string> unreadable_;
    std::mutex showLock_;
    std::uint8_t closeState_ = Running;
};
