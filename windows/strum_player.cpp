#include "windows/strum_player.h"

#include "sound/midi_player.h"
#include "sound/midi_port.h"

#include <QAbstractButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace corvane {

namespace {
    constexpr int kMillisecondsPerMinute = 60000;
    constexpr std::size_t kStopped = std::numeric_limits<std::size_t>::max();
} // namespace

StrumPlayer::StrumPlayer(Source source, Controls controls, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_controls(controls)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &StrumPlayer::PlayNextChord);
    if (m_controls.play)
        connect(m_controls.play, &QAbstractButton::clicked, this, &StrumPlayer::Play);
    if (m_controls.stop) {
        connect(m_controls.stop, &QAbstractButton::clicked, this, &StrumPlayer::Stop);
        m_controls.stop->setEnabled(false);
    }
}

void StrumPlayer::Play()
{
    if (m_controls.stop)
        m_controls.stop->setEnabled(true);
    m_next = 0;
    PlayNextChord();
}

void StrumPlayer::Stop()
{
    m_timer->stop();
    m_next = kStopped;
    m_sounding = -1;
    if (m_controls.stop)
        m_controls.stop->setEnabled(false);
    if (m_source.sounding)
        m_source.sounding();
}

void StrumPlayer::StrumOnce(const Chord& chord) const
{
    MidiPort* port = m_source.port ? m_source.port() : nullptr;
    if (port && chord.strum)
        chord.strum(*port, m_source.tempo());
}

bool StrumPlayer::playing() const { return m_timer->isActive(); }

// One chord at a time: its strums go to the port with their pauses, which the port keeps on its own
// clock, and the timer comes back for the next chord when this one's beats are over.
void StrumPlayer::PlayNextChord()
{
    if (m_next >= m_source.count()) {
        Stop();
        return;
    }
    m_sounding = static_cast<int>(m_next);
    m_source.sounding();
    const Chord chord = m_source.chord(m_next++);
    const int beatMs = kMillisecondsPerMinute / std::max(1, m_controls.bpm ? m_controls.bpm->value() : 1);
    MidiPort* port = m_source.port ? m_source.port() : nullptr;
    if (port && chord.strum) {
        const int tempo = m_source.tempo();
        const int rest = std::max(0, beatMs - chord.strings * StrumDelayMs(tempo));
        for (int beat = 0; beat < chord.beats; ++beat) {
            chord.strum(*port, tempo);
            if (rest > 0)
                port->pause(rest);
        }
    }
    m_timer->start(beatMs * chord.beats);
}

namespace {
    // The strings a fingering sounds: the strum's pauses.
    template <class Fingering> int SoundingStrings(const Fingering& frets)
    {
        return static_cast<int>(std::count_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; }));
    }
} // namespace

StrumPlayer::Chord StrumOf(const Voicing& frets, int beats, StringNotes notes)
{
    return { beats, SoundingStrings(frets),
        [frets, notes = std::move(notes)](MidiPort& port, int tempo) { PlayVoicing(port, frets, notes, tempo); } };
}

StrumPlayer::Chord StrumOf(const Frets& frets, int beats, const OpenStrings& strings, int capo)
{
    return { beats, SoundingStrings(frets),
        [frets, strings, capo](MidiPort& port, int tempo) { PlayStrings(port, frets, strings, capo, tempo); } };
}

} // namespace corvane
