#pragma once
// The program's sound, started once the main window is on screen: the window opens its MIDI device
// while it is built, but the synthesizer loads its sound font only after the first paint, so that
// the two do not slow each other down. What the window sends meanwhile is kept and played in order.

#include "app/main_window.h"

#include <string>

namespace corvane {

class SoundDevice;

class SoundAfterPaint {
public:
    // The sound font the user chose, looked for first; before factory() is used.
    void chooseSoundFont(std::string path) { chosenSoundFont_ = std::move(path); }

    // For TForm1's constructor: device 0 is a SoundDevice that waits to be started.
    TForm1::MidiDeviceFactory factory();

    // Starts the device the factory made once `window` has painted for the first time.
    void startAfterFirstPaint(QWidget* window);

private:
    SoundDevice* device_ = nullptr; // owned by the window
    std::string chosenSoundFont_;
};

} // namespace corvane
