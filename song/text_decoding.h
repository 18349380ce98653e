#pragma once
// From the bytes of a file to the UTF-8 text of a song: the byte-order mark, older files in Latin-1
// or Windows-1252, binary files and files far too large for a song.

#include "theory/plain_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// No song comes near this; a file above it is refused, not read in part.
constexpr std::size_t kMaxSongBytes = std::size_t { 1 } << 20;

struct DecodedText {
    std::string text; // UTF-8, without a byte-order mark; empty when refused
    std::string refused; // why the bytes are not a song (binary, too large); empty when they are text
    int firstNonUtf8Line = 0; // the first line that was not UTF-8, when the text was read as Windows-1252
};

// `fileSize`, when larger than the bytes given, is the size of the whole file they begin.
DecodedText DecodeSongBytes(std::string_view bytes, std::size_t fileSize = 0);

// Characters (code points) of well-formed UTF-8 text; a byte that starts no sequence counts as one.
int CharacterCount(std::string_view text);

// The byte offset of character `index`, or text.size() when the text is shorter.
std::size_t ByteOfCharacter(std::string_view text, int index);

} // namespace corvane
