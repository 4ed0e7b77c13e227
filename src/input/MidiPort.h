#pragma once
// The program's MIDI port "Vantorel" on the ALSA sequencer: any controller connected to it
// (aconnect, or another program) reaches the decoder on a thread of its own, which hands
// the moves to the queue; note-on feedback goes to every controller connected from it. On
// a machine without the sequencer (no /dev/snd/seq) nothing is opened.

#include "input/InputQueue.h"
#include "input/MidiDecoder.h"

#include <string>
#include <thread>

class KyMidiPort {
public:
    static constexpr const char* kDevice = "/dev/snd/seq";
    static constexpr const char* kName = "Vantorel";

    explicit KyMidiPort(KyInputQueue& queue);
    ~KyMidiPort();
    KyMidiPort(const KyMidiPort&) = delete;
    KyMidiPort& operator=(const KyMidiPort&) = delete;

    // False with the reason when there is no sequencer or the port cannot be made.
    bool open(std::string& error);
    void close();
    bool isOpen() const { return seq_ != nullptr; }
    // The sequencer's address of the port, "client:port", for aconnect.
    std::string address() const;

    void sendNote(int channel, int note, int velocity);

private:
    void run();

    KyMidiDecoder decoder_;
    void* seq_ = nullptr; // snd_seq_t
    int port_ = -1;
    int wakeFd_ = -1; // an eventfd that ends the thread
    std::thread thread_;
};
