// A chord line and its words merged for a screen reader, with the caret's places both ways.
#include "song/spoken_sheet.h"

#include "song/text_decoding.h"

#include <algorithm>
#include <string_view>

namespace corvane {

namespace {

    // The text cut into its characters, each a UTF-8 sequence.
    std::vector<std::string_view> Characters(std::string_view text)
    {
        std::vector<std::string_view> characters;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t length = std::max<std::size_t>(1, Utf8SequenceLength(text, at));
            characters.push_back(text.substr(at, length));
            at += length;
        }
        return characters;
    }

    struct Spoken {
        std::string text;
        int characters = 0;

        void Add(std::string_view piece, int count)
        {
            text += piece;
            characters += count;
        }
    };

    // One spoken line from a chord line and the words under it (either may be empty); `chordsAt`
    // and `wordsAt` take the place of each of their characters, relative to the line's start.
    std::string Merge(const std::string& chordLine, const std::string& wordLine, std::vector<int>& chordsAt,
        std::vector<int>& wordsAt)
    {
        const std::vector<std::string_view> chords = Characters(chordLine);
        const std::vector<std::string_view> words = Characters(wordLine);
        struct Run {
            std::size_t column;
            std::size_t length;
            std::string name;
        };
        std::vector<Run> runs;
        for (std::size_t c = 0; c < chords.size();) {
            if (chords[c] == " ") {
                ++c;
                continue;
            }
            Run run { c, 0, {} };
            for (; c < chords.size() && chords[c] != " "; ++c, ++run.length)
                run.name += chords[c];
            runs.push_back(std::move(run));
        }

        Spoken line;
        chordsAt.assign(chords.size() + 1, -1);
        wordsAt.assign(words.size() + 1, 0);
        const auto say = [&](const Run& run) {
            for (std::size_t c = run.column; c < run.column + run.length; ++c)
                chordsAt[c] = line.characters;
            line.Add("[", 1);
            line.Add(run.name, static_cast<int>(run.length));
            line.Add("]", 1);
        };
        std::size_t next = 0;
        for (std::size_t w = 0; w <= words.size(); ++w) {
            if (w < words.size())
                for (; next < runs.size() && runs[next].column <= w; ++next)
                    say(runs[next]);
            wordsAt[w] = line.characters;
            if (w < words.size())
                line.Add(words[w], 1);
        }
        for (; next < runs.size(); ++next) {
            if (line.characters > 0 && !line.text.ends_with(' '))
                line.Add(" ", 1);
            say(runs[next]);
        }
        // A blank of the chord line stands where the words are under it, or after the chord before it.
        int after = 0;
        for (std::size_t c = 0; c < chords.size(); ++c) {
            if (chordsAt[c] >= 0) {
                after = chordsAt[c] + 1;
                continue;
            }
            chordsAt[c] = c < words.size() ? wordsAt[c] : std::max(after, wordsAt.back());
        }
        chordsAt.back() = line.characters;
        return line.text;
    }

    std::vector<int> Shifted(std::vector<int> places, int by)
    {
        for (int& place : places)
            place += by;
        return places;
    }

} // namespace

SpokenSheet SpeakSheet(const std::vector<SheetBlock>& blocks)
{
    SpokenSheet spoken;
    int start = 0; // the characters before this line
    bool first = true;
    for (const SheetBlock& block : blocks) {
        if (!first) {
            spoken.text += '\n';
            ++start;
        }
        first = false;
        const std::string indent(static_cast<std::size_t>(std::max(0, block.indent)), ' ');
        const bool chords = !block.gap && !block.chords.empty();
        const bool words = block.gap || !block.words.empty() || block.chords.empty();
        std::vector<int> chordsAt;
        std::vector<int> wordsAt;
        const std::string line = chords
            ? Merge(
                indent + block.chords, block.words.empty() ? std::string() : indent + block.words, chordsAt, wordsAt)
            : Merge({}, block.gap ? std::string() : indent + block.words, chordsAt, wordsAt);
        spoken.text += line;
        if (chords)
            spoken.at.push_back(Shifted(std::move(chordsAt), start));
        if (words)
            spoken.at.push_back(Shifted(std::move(wordsAt), start));
        start += CharacterCount(line);
    }
    return spoken;
}

ShownPlace ShownPlaceOf(const SpokenSheet& spoken, int offset)
{
    ShownPlace found;
    int best = -1;
    for (std::size_t line = 0; line < spoken.at.size(); ++line)
        for (std::size_t column = 0; column < spoken.at[line].size(); ++column) {
            const int at = spoken.at[line][column];
            if (at <= offset && at >= best) {
                best = at;
                found = { static_cast<int>(line), static_cast<int>(column) };
            }
        }
    return found;
}

} // namespace corvane
