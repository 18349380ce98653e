#include "song/text_decoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {

namespace {

    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

    // Windows-1252's characters at 0x80..0x9f; the five it leaves undefined keep the Latin-1 control
    // codes of the same value.
    constexpr std::array<char16_t, 32> kWindows1252High { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
        0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D,
        0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

    void AppendUtf8(std::string& out, char32_t c)
    {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    int LineOf(std::string_view bytes, std::size_t at)
    {
        return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    }

    // A control character that no text file holds: everything below a blank but the tab, the line
    // breaks and the form feed, and DEL.
    bool IsStrayControl(unsigned char c)
    {
        return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F;
    }

    std::string Megabytes(std::size_t bytes)
    {
        const std::size_t tenths = (bytes * 10 + (1 << 19)) >> 20;
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
    }

} // namespace

int CharacterCount(std::string_view text)
{
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        at += std::max<std::size_t>(1, Utf8SequenceLength(text, at));
    return count;
}

std::size_t ByteOfCharacter(std::string_view text, int index)
{
    std::size_t at = 0;
    for (int i = 0; i < index && at < text.size(); ++i)
        at += std::max<std::size_t>(1, Utf8SequenceLength(text, at));
    return std::min(at, text.size());
}

DecodedText DecodeSongBytes(std::string_view bytes, std::size_t fileSize)
{
    DecodedText out;
    if (bytes.size() > kMaxSongBytes) {
        out.refused = "too large for a song: " + Megabytes(std::max(fileSize, bytes.size()))
            + ", and a song file is at most " + Megabytes(kMaxSongBytes) + " (reached in line "
            + std::to_string(LineOf(bytes, kMaxSongBytes)) + "); nothing was read";
        return out;
    }
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());

    // A NUL never stands in text; a few other control codes may, by accident, but not many.
    std::size_t strays = 0;
    std::size_t firstStray = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0) {
            out.refused = "a binary file, not a song: it holds a NUL byte in line " + std::to_string(LineOf(bytes, i));
            return out;
        }
        if (IsStrayControl(c) && strays++ == 0)
            firstStray = i;
    }
    if (strays > 8 && strays * 100 > bytes.size()) {
        out.refused = "a binary file, not a song: " + std::to_string(strays) + " control characters, the first in line "
            + std::to_string(LineOf(bytes, firstStray));
        return out;
    }

    std::size_t firstBad = bytes.size();
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            firstBad = at;
            break;
        }
        at += length;
    }
    if (firstBad == bytes.size()) {
        out.text = bytes;
        return out;
    }

    // Not UTF-8: Latin-1 as Windows extends it, which every byte can be read as.
    out.firstNonUtf8Line = LineOf(bytes, firstBad);
    out.text.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0)
            AppendUtf8(out.text, kWindows1252High[c - 0x80]);
        else
            AppendUtf8(out.text, c);
    }
    return out;
}

} // namespace corvane
