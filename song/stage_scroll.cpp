// The stage view's place in a set of songs and its scrolling.
#include "song/stage_scroll.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace corvane {

namespace {

    constexpr double kRateStep = 1.25;
    constexpr double kLowestRate = 0.25;
    constexpr double kHighestRate = 4.0;
    constexpr int kDefaultBeats = 4;

    std::optional<double> Number(std::string_view text)
    {
        double value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc {} || end != text.data() + text.size() || !(value >= 0))
            return std::nullopt;
        return value;
    }

    // "3:20", "1:02:30" or "200", in seconds.
    std::optional<double> Duration(std::string_view text)
    {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        double total = 0;
        int fields = 0;
        while (true) {
            const std::size_t colon = text.find(':');
            const auto value = Number(text.substr(0, colon));
            if (!value || ++fields > 3)
                return std::nullopt;
            total = total * 60 + *value;
            if (colon == std::string_view::npos)
                break;
            text.remove_prefix(colon + 1);
        }
        return total;
    }

} // namespace

double SongSeconds(const ShownSong& shown)
{
    for (const auto& [name, value] : shown.metadata)
        if (name == "duration")
            if (const auto seconds = Duration(value); seconds && *seconds > 0)
                return *seconds;
    const auto tempo = Number(shown.tempo);
    if (!tempo || *tempo <= 0 || shown.played.empty())
        return 0;
    int beats = kDefaultBeats;
    if (const std::size_t slash = shown.time.find('/'); slash != std::string::npos)
        if (const auto top = Number(shown.time.substr(0, slash)); top && *top >= 1 && *top <= 32)
            beats = static_cast<int>(*top);
    return static_cast<double>(shown.played.size()) * beats * 60.0 / *tempo;
}

StageScroll::StageScroll(std::vector<StageExtent> extents, int view, int step)
    : m_songs(std::move(extents))
    , m_view(std::max(1, view))
    , m_step(std::clamp(step, 1, std::max(1, view)))
{
}

void StageScroll::Relayout(std::vector<StageExtent> extents, int view, int step)
{
    const double fraction = MaxOffset() > 0 ? m_offset / MaxOffset() : 0;
    m_songs = std::move(extents);
    m_view = std::max(1, view);
    m_step = std::clamp(step, 1, m_view);
    m_song = std::clamp(m_song, 0, std::max(0, songs() - 1));
    m_offset = fraction * MaxOffset();
}

int StageScroll::MaxOffset() const
{
    if (m_song < 0 || m_song >= songs())
        return 0;
    return std::max(0, m_songs[static_cast<std::size_t>(m_song)].height - m_view);
}

bool StageScroll::AtEnd() const { return m_offset >= MaxOffset(); }

int StageScroll::Screen() const
{
    if (AtEnd() && MaxOffset() > 0)
        return static_cast<int>(std::ceil(MaxOffset() / static_cast<double>(m_step))) + 1;
    return static_cast<int>(m_offset / m_step) + 1;
}

void StageScroll::Enter(int song)
{
    m_song = song;
    m_offset = 0;
    m_playing = false;
}

bool StageScroll::Forward()
{
    if (!AtEnd()) {
        m_offset = std::min<double>(MaxOffset(), m_offset + m_step);
        return true;
    }
    return NextSong();
}

bool StageScroll::Back()
{
    if (m_offset > 0) {
        m_offset = std::max(0.0, m_offset - m_step);
        return true;
    }
    return PreviousSong();
}

bool StageScroll::NextSong() { return GoToSong(m_song + 1); }
bool StageScroll::PreviousSong() { return GoToSong(m_song - 1); }

bool StageScroll::GoToSong(int song)
{
    if (song < 0 || song >= songs())
        return false;
    Enter(song);
    return true;
}

bool StageScroll::CanPlay() const
{
    return m_song >= 0 && m_song < songs() && m_songs[static_cast<std::size_t>(m_song)].seconds > 0 && MaxOffset() > 0;
}

void StageScroll::TogglePlaying()
{
    if (m_playing) {
        m_playing = false;
    } else if (CanPlay() && !AtEnd()) {
        m_playing = true;
    }
}

void StageScroll::Faster() { m_rate = std::min(kHighestRate, m_rate * kRateStep); }
void StageScroll::Slower() { m_rate = std::max(kLowestRate, m_rate / kRateStep); }

double StageScroll::Speed() const
{
    if (!CanPlay())
        return 0;
    return MaxOffset() / m_songs[static_cast<std::size_t>(m_song)].seconds * m_rate;
}

void StageScroll::Advance(double seconds)
{
    if (!m_playing || !(seconds > 0))
        return;
    m_offset = std::min<double>(MaxOffset(), m_offset + Speed() * seconds);
    if (AtEnd())
        m_playing = false;
}

} // namespace corvane
