#pragma once
// Play and Stop of the progression and song windows: the chords one after another, each strummed once
// a beat at the window's beats per minute, on whatever instrument the window draws.

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/progression_text.h"
#include "guitar/tuning.h"
#include "guitar/voicing.h"

#include <QObject>

#include <cstddef>
#include <functional>

class QAbstractButton;
class QSpinBox;
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
        std::function<MidiPort*()> port;
        std::function<int()> tempo; // the strum's tempo bar position
        std::function<void()> sounding; // another chord sounds now, or none after Stop: the window marks it
    };
    // The window's own controls: Play starts from the first chord, Stop (enabled while playing) ends
    // the song, which also ends by itself after the last chord; the box's beats per minute are read
    // at each chord.
    struct Controls {
        QAbstractButton* play = nullptr;
        QAbstractButton* stop = nullptr;
        QSpinBox* bpm = nullptr;
    };

    StrumPlayer(Source source, Controls controls, QObject* parent);

    void Play(); // from the first chord
    void Stop();
    // One chord strummed once, now, on the window's port, as Enter on a diagram does; the song
    // itself is not started.
    void StrumOnce(const Chord& chord) const;
    bool playing() const;
    int sounding() const { return m_sounding; } // the chord strummed now; -1 when none

private:
    void PlayNextChord();

    Source m_source;
    Controls m_controls;
    QTimer* m_timer = nullptr;
    std::size_t m_next = 0;
    int m_sounding = -1;
};

// A chord of `beats` strummed as the main window strums the fingering: on the six-string guitar
// with its notes per string and fret, on another instrument from its open strings and the capo.
StrumPlayer::Chord StrumOf(const Voicing& frets, int beats, StringNotes notes);
StrumPlayer::Chord StrumOf(const Frets& frets, int beats, const OpenStrings& strings, int capo);

} // namespace corvane
