#include "song/song_markup.h"

#include <algorithm>
#include <array>
#include <optional>

#include "song/ascii_text.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    constexpr std::array<std::string_view, 10> kStyleTags { "b", "i", "u", "s", "tt", "sup", "sub", "big", "small",
        "span" };
    // Nesting deeper than this is not styling any more: the rest of the tags only close.
    constexpr size_t kMaxDepth = 64;

    bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    struct Tag {
        std::string name; // lower case
        bool closing = false;
        bool selfClosing = false;
        std::string_view attributes;
        size_t length = 0; // bytes of the whole tag
    };

    // The tag at the start of `text` ("<b>", "</span>", "<img src='x'/>"), when it is one.
    std::optional<Tag> TagAt(std::string_view text)
    {
        if (text.size() < 3 || text[0] != '<')
            return std::nullopt;
        Tag tag;
        size_t at = 1;
        if (text[at] == '/') {
            tag.closing = true;
            ++at;
        }
        const size_t nameStart = at;
        while (at < text.size() && (IsLetter(text[at]) || (at > nameStart && text[at] >= '0' && text[at] <= '9')))
            ++at;
        if (at == nameStart)
            return std::nullopt;
        tag.name = AsciiLower(text.substr(nameStart, at - nameStart));
        // The end of the tag, quotes of its attributes held together.
        char quote = 0;
        size_t end = at;
        for (; end < text.size(); ++end) {
            const char c = text[end];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '<') {
                return std::nullopt;
            } else if (c == '>') {
                break;
            }
        }
        if (end >= text.size())
            return std::nullopt;
        if (at < end && text[at] != ' ' && text[at] != '\t' && text[at] != '/')
            return std::nullopt;
        tag.selfClosing = !tag.closing && text[end - 1] == '/';
        tag.attributes = text.substr(at, end - at - (tag.selfClosing ? 1 : 0));
        tag.length = end + 1;
        const bool styled = std::find(kStyleTags.begin(), kStyleTags.end(), tag.name) != kStyleTags.end();
        // Any self-closing tag is a picture or a strut; otherwise only the tags of the markup count.
        if (!styled && !tag.selfClosing)
            return std::nullopt;
        if (tag.closing && tag.attributes.find_first_not_of(" \t") != std::string_view::npos)
            return std::nullopt;
        return tag;
    }

    struct Entity {
        std::string_view written;
        char character;
    };
    constexpr std::array<Entity, 3> kEntities { { { "&lt;", '<' }, { "&gt;", '>' }, { "&amp;", '&' } } };

    // The value of attribute `name` in `weight="bold" size='120%'`; empty when it has none.
    std::string Attribute(std::string_view attributes, std::string_view name)
    {
        for (size_t at = 0; (at = attributes.find(name, at)) != std::string_view::npos; at += name.size()) {
            if (at > 0 && attributes[at - 1] != ' ' && attributes[at - 1] != '\t')
                continue;
            std::string_view rest = TrimBlanks(attributes.substr(at + name.size()), " \t");
            if (!rest.starts_with('='))
                continue;
            rest = TrimBlanks(rest.substr(1), " \t");
            if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
                const char quote = rest.front();
                rest.remove_prefix(1);
                return std::string(rest.substr(0, rest.find(quote)));
            }
            return std::string(rest.substr(0, rest.find_first_of(" \t")));
        }
        return {};
    }

    int SizePercent(const std::string& size, int current)
    {
        if (size.empty())
            return current;
        if (size == "larger" || size == "large" || size == "x-large")
            return current * 120 / 100;
        if (size == "smaller" || size == "small" || size == "x-small")
            return current * 83 / 100;
        int number = 0;
        size_t i = 0;
        for (; i < size.size() && size[i] >= '0' && size[i] <= '9' && number < 1000; ++i)
            number = number * 10 + (size[i] - '0');
        if (i == 0 || number == 0)
            return current;
        if (size.substr(i) == "%")
            return std::clamp(current * number / 100, 25, 400);
        return current; // points: the sheet keeps its own size
    }

    TextStyle Styled(TextStyle style, const Tag& tag)
    {
        const std::string& n = tag.name;
        if (n == "b")
            style.bold = true;
        else if (n == "i")
            style.italic = true;
        else if (n == "u")
            style.underline = true;
        else if (n == "s")
            style.struck = true;
        else if (n == "tt")
            style.monospace = true;
        else if (n == "sup")
            style.rise = 1;
        else if (n == "sub")
            style.rise = -1;
        else if (n == "big")
            style.size = std::min(400, style.size * 120 / 100);
        else if (n == "small")
            style.size = std::max(25, style.size * 83 / 100);
        else if (n == "span") {
            const std::string weight = Attribute(tag.attributes, "weight");
            if (weight == "bold" || weight == "heavy" || weight == "ultrabold" || weight == "700")
                style.bold = true;
            else if (weight == "normal" || weight == "400")
                style.bold = false;
            const std::string slant = Attribute(tag.attributes, "style");
            if (slant == "italic" || slant == "oblique")
                style.italic = true;
            else if (slant == "normal")
                style.italic = false;
            if (std::string color = Attribute(tag.attributes, "foreground"); !color.empty())
                style.color = std::move(color);
            else if (std::string colour = Attribute(tag.attributes, "color"); !colour.empty())
                style.color = std::move(colour);
            if (std::string family = Attribute(tag.attributes, "font_family"); !family.empty())
                style.family = std::move(family);
            else if (std::string face = Attribute(tag.attributes, "face"); !face.empty())
                style.family = std::move(face);
            if (style.family == "monospace")
                style.monospace = true;
            style.size = SizePercent(Attribute(tag.attributes, "size"), style.size);
            if (Attribute(tag.attributes, "underline") == "single")
                style.underline = true;
            if (Attribute(tag.attributes, "strikethrough") == "true")
                style.struck = true;
        }
        return style;
    }

} // namespace

MarkupReading ReadMarkup(std::string_view text)
{
    MarkupReading out;
    out.columnOfByte.assign(text.size() + 1, 0);
    struct Open {
        std::string name;
        TextStyle style;
    };
    std::vector<Open> open;
    int column = 0;
    int runStart = 0;
    TextStyle current;
    const auto restyle = [&](const TextStyle& next) {
        if (next == current)
            return;
        if (!current.Plain() && column > runStart)
            out.runs.push_back({ runStart, column, current });
        current = next;
        runStart = column;
    };
    const auto mark = [&](size_t from, size_t length) {
        std::fill_n(out.columnOfByte.begin() + static_cast<std::ptrdiff_t>(from), length, column);
    };
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '<') {
            if (const std::optional<Tag> tag = TagAt(text.substr(at))) {
                mark(at, tag->length);
                at += tag->length;
                if (tag->selfClosing)
                    continue;
                if (tag->closing) {
                    // Closes the innermost tag of its name; tags left open inside it close with it.
                    const auto found
                        = std::find_if(open.rbegin(), open.rend(), [&](const Open& o) { return o.name == tag->name; });
                    if (found != open.rend())
                        open.erase(std::next(found).base(), open.end());
                } else if (open.size() < kMaxDepth) {
                    open.push_back({ tag->name, Styled(open.empty() ? TextStyle {} : open.back().style, *tag) });
                }
                restyle(open.empty() ? TextStyle {} : open.back().style);
                continue;
            }
        }
        if (c == '&') {
            const auto entity = std::find_if(kEntities.begin(), kEntities.end(),
                [&](const Entity& e) { return text.substr(at).starts_with(e.written); });
            if (entity != kEntities.end()) {
                mark(at, entity->written.size());
                out.plain += entity->character;
                at += entity->written.size();
                ++column;
                continue;
            }
        }
        const size_t length = std::max<size_t>(1, Utf8SequenceLength(text, at));
        mark(at, length);
        out.plain.append(text.substr(at, length));
        at += length;
        ++column;
    }
    out.columnOfByte.back() = column;
    restyle(TextStyle {});
    return out;
}

bool HasMarkup(std::string_view text)
{
    if (text.find_first_of("<&") == std::string_view::npos)
        return false;
    return ReadMarkup(text).plain != text;
}

std::vector<StyledRun> MovedRuns(const std::vector<StyledRun>& runs, const std::vector<int>& columnOf)
{
    std::vector<StyledRun> out;
    if (columnOf.empty())
        return out;
    const auto moved = [&](int column) {
        return columnOf[static_cast<size_t>(std::clamp(column, 0, static_cast<int>(columnOf.size()) - 1))];
    };
    for (const StyledRun& run : runs) {
        StyledRun m { moved(run.from), moved(run.to), run.style };
        if (m.to > m.from)
            out.push_back(std::move(m));
    }
    return out;
}

} // namespace corvane
