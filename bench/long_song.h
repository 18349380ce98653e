#pragma once
// The benchmarks' long song: 300 lines of four chords each, in verses and choruses of eight lines,
// under the heading directives given.

#include <string>

namespace corvane::bench {

inline std::string LongSongText(const std::string& heading)
{
    const char* chords[] = { "C", "G", "Am", "F", "D", "Em", "A7", "E7", "Dm", "Bb", "C/E", "G7", "Fmaj7", "A", "E",
        "Bm", "F#m", "D7", "Cadd9", "Gm", "Eb", "Ab", "B7", "Dsus4" };
    std::string song = heading;
    int chord = 0;
    for (int line = 0; line < 300; ++line) {
        if (line % 8 == 0)
            song += line % 16 == 0 ? "{start_of_verse}\n" : "{start_of_chorus}\n";
        const auto next = [&] { return std::string(chords[chord++ % 24]); };
        const std::string a = next(), b = next(), c = next(), d = next();
        song += "Walk [" + a + "]down the road and [" + b + "]over the hill, [" + c + "]under the sky we [" + d
            + "]wander still\n";
        if (line % 8 == 7)
            song += line % 16 == 7 ? "{end_of_verse}\n\n" : "{end_of_chorus}\n\n";
    }
    return song;
}

} // namespace corvane::bench
