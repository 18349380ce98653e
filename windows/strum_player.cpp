#include "windows/strum_player.h"

#include "sound/midi_player.h"
#include "sound/midi_port.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace corvane {

namespace {
    constexpr int kMillisecondsPerMinute = 60000;
    constexpr std::size_t kStopped = std::numeric_limits<std::size_t>::max();
} // namespace

StrumPlayer::StrumPlayer(Source source, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &StrumPlayer::PlayNextChord);
}

void StrumPlayer::Play()
{
    m_next = 0;
    PlayNextChord();
}

void StrumPlayer::Stop()
{
    m_timer->stop();
    m_next = kStopped;
    m_sounding = -1;
}

bool StrumPlayer::playing() const { return m_timer->isActive(); }

// One chord at a time: its strums go to the port with their pauses, which the port keeps on its own
// clock, and the timer comes back for the next chord when this one's beats are over.
void StrumPlayer::PlayNextChord()
{
    if (m_next >= m_source.count()) {
        m_source.ended();
        return;
    }
    m_sounding = static_cast<int>(m_next);
    m_source.sounding();
    const Chord chord = m_source.chord(m_next++);
    const int beatMs = kMillisecondsPerMinute / std::max(1, m_source.bpm());
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

int SoundingStrings(const Voicing& frets)
{
    return static_cast<int>(std::count_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; }));
}

int SoundingStrings(const Frets& frets)
{
    return static_cast<int>(std::count_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; }));
}

} // namespace corvane
