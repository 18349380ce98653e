#pragma once
// The small HTML-like markup of lyrics and comments: <b>, <i>, <u>, <s>, <tt>, <sup>, <sub>, <big>,
// <small>, <span ...>, self-closing tags such as <strut/> that hold no text, and the entities &lt;
// &gt; &amp;. Read into the plain text and the stretches of it that are styled; a chord's column is
// always a column of the plain text.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct TextStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool struck = false;
    bool monospace = false;
    int rise = 0; // 1 raised (<sup>), -1 lowered (<sub>)
    int size = 100; // percent of the line's size
    std::string color; // as written: "red", "#ff0000"
    std::string family; // a font family, as written

    bool Plain() const { return *this == TextStyle {}; }
    bool operator==(const TextStyle&) const = default;
};

// Characters [from, to) of a plain text, in characters (code points).
struct StyledRun {
    int from = 0;
    int to = 0;
    TextStyle style;

    bool operator==(const StyledRun&) const = default;
};

struct MarkupReading {
    std::string plain; // the text without tags, the entities read
    std::vector<StyledRun> runs; // the stretches that are not plain, in order; none overlap
    // For each byte of the text, and one past its end, the column of the plain text it falls at: a
    // tag is at the column of the character after it.
    std::vector<int> columnOfByte;
};

// A "<" that opens no tag this reads, and an "&" of no known entity, stay as text: "I <3 you".
MarkupReading ReadMarkup(std::string_view text);

// True when ReadMarkup would change the text.
bool HasMarkup(std::string_view text);

// The runs of a text moved to the columns of another: `columnOf[c]` is where column c went, with
// one entry more than the text has characters.
std::vector<StyledRun> MovedRuns(const std::vector<StyledRun>& runs, const std::vector<int>& columnOf);

} // namespace corvane
