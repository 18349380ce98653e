#pragma once
// Play and Stop of the progression and song windows: the chords one after another, each strummed once
// a beat at the window's beats per minute, on whatever instrument the window draws.

#include "guitar/frets.h"
#include "guitar/progression_text.h"
#include "guitar/voicing.h"

#include <QObject>

#include <cstddef>
#include <functional>

class QTimer;

namespace corvane {

class MidiPort;

class StrumPlayer final : public QObject {
    Q_OBJECT
public:
    // One chord as the window plays it: its beats and its strum, which sounds `strings` strings, each
    // followed by the strum's pause. Without a strum its beats stay silent.
    struct Chord {
        int beats = kDefaultBeats;
        int strings = 0;
        std::function<void(MidiPort& port, int tempo)> strum;
    };
    // What the player reads from its window, at the moment it needs it.
    struct Source {
        std::function<std::size_t()> count;
        std::function<Chord(std::size_t index)> chord;
        std::function<int()> bpm;
        std::function<MidiPort*()> port;
        std::function<int()> tempo; // the strum's tempo bar position
        std::function<void()> sounding; // another chord sounds now: the window frames it
        std::function<void()> ended; // the last chord's beats are over
    };

    StrumPlayer(Source source, QObject* parent);

    void Play(); // from the first chord
    void Stop();
    bool playing() const;
    int sounding() const { return m_sounding; } // the chord strummed now; -1 when none

private:
    void PlayNextChord();

    Source m_source;
    QTimer* m_timer = nullptr;
    std::size_t m_next = 0;
    int m_sounding = -1;
};

// The strings a fingering sounds: the strum's pauses.
int SoundingStrings(const Voicing& frets);
int SoundingStrings(const Frets& frets);

} // namespace corvane
