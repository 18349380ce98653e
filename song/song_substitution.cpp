#include "song/song_substitution.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "song/ascii_text.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    // Substitutions within substitutions deeper than this are left as written.
    constexpr int kMaxDepth = 16;

    bool Escapable(char c) { return c == '{' || c == '}' || c == '|' || c == '\\'; }

    // Where the "%{" at `at` is closed, counting the braces of the substitutions inside and passing
    // over escaped characters; npos when it is not.
    size_t Closing(std::string_view text, size_t at)
    {
        int depth = 0;
        for (size_t i = at; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\\' && i + 1 < text.size() && Escapable(text[i + 1])) {
                ++i;
            } else if (c == '%' && i + 1 < text.size() && text[i + 1] == '{') {
                ++depth;
                ++i;
            } else if (c == '}' && --depth == 0) {
                return i;
            }
        }
        return std::string_view::npos;
    }

    // The body split at its bars that are neither escaped nor inside an inner substitution.
    std::vector<std::string_view> Parts(std::string_view body)
    {
        std::vector<std::string_view> parts;
        size_t start = 0;
        for (size_t i = 0; i < body.size(); ++i) {
            const char c = body[i];
            if (c == '\\' && i + 1 < body.size() && Escapable(body[i + 1])) {
                ++i;
            } else if (c == '%' && i + 1 < body.size() && body[i + 1] == '{') {
                const size_t close = Closing(body, i);
                if (close == std::string_view::npos)
                    break;
                i = close;
            } else if (c == '|') {
                parts.push_back(body.substr(start, i - start));
                start = i + 1;
            }
        }
        parts.push_back(body.substr(start));
        return parts;
    }

    class Expander {
    public:
        explicit Expander(const SongItems& items)
            : m_items(items)
        {
        }

        // `context` is the value %{} stands for, when inside the YES of a substitution.
        std::string Text(std::string_view text, const std::string* context, int depth)
        {
            std::string out;
            for (size_t i = 0; i < text.size(); ++i) {
                const char c = text[i];
                if (c == '\\' && i + 1 < text.size() && Escapable(text[i + 1])) {
                    out += text[++i];
                    continue;
                }
                if (c == '%' && i + 1 < text.size() && text[i + 1] == '{') {
                    const size_t close = Closing(text, i);
                    if (close != std::string_view::npos && depth < kMaxDepth) {
                        out += One(text.substr(i + 2, close - i - 2), context, depth);
                        i = close;
                        continue;
                    }
                }
                out += c;
            }
            return out;
        }

        // The inside of one %{...}.
        std::string One(std::string_view body, const std::string* context, int depth)
        {
            const std::vector<std::string_view> parts = Parts(body);
            std::string_view test = TrimBlanks(parts[0], " \t");
            if (test.empty() && parts.size() == 1)
                return context ? *context : std::string();
            std::optional<std::string> wanted;
            if (const size_t equals = test.find('='); equals != std::string_view::npos) {
                wanted = Text(test.substr(equals + 1), context, depth + 1);
                test = TrimBlanks(test.substr(0, equals), " \t");
            }
            const std::optional<std::string> value = Value(test);
            const bool holds = value && (!wanted || Matches(test, *wanted));
            if (parts.size() == 1)
                return holds || !wanted ? value.value_or(std::string()) : std::string();
            if (holds) {
                // An empty YES stands for the value itself.
                if (parts[1].empty())
                    return *value;
                return Text(parts[1], &*value, depth + 1);
            }
            return parts.size() > 2 ? Text(parts[2], context, depth + 1) : std::string();
        }

    private:
        const std::vector<std::string>* Values(std::string_view name) const
        {
            const auto found = m_items.find(AsciiLower(name));
            if (found == m_items.end() || found->second.empty())
                return nullptr;
            return &found->second;
        }

        // NAME, NAME.1 (the first value), NAME.-1 (the last): the values joined by ", ", or none.
        std::optional<std::string> Value(std::string_view name) const
        {
            std::optional<int> index;
            if (const size_t dot = name.rfind('.'); dot != std::string_view::npos && dot + 1 < name.size()) {
                const std::string_view number = name.substr(dot + 1);
                int n = 0;
                const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
                if (ec == std::errc {} && end == number.data() + number.size()) {
                    index = n;
                    name = name.substr(0, dot);
                }
            }
            const std::vector<std::string>* values = Values(name);
            if (!values)
                return std::nullopt;
            if (index) {
                const int count = static_cast<int>(values->size());
                const int at = *index > 0 ? *index - 1 : count + *index;
                if (*index == 0 || at < 0 || at >= count || (*values)[static_cast<size_t>(at)].empty())
                    return std::nullopt;
                return (*values)[static_cast<size_t>(at)];
            }
            std::string joined;
            for (const std::string& v : *values)
                if (!v.empty())
                    joined += (joined.empty() ? "" : ", ") + v;
            if (joined.empty())
                return std::nullopt;
            return joined;
        }

        bool Matches(std::string_view name, const std::string& wanted) const
        {
            const std::vector<std::string>* values = Values(name);
            if (!values)
                return false;
            return std::find(values->begin(), values->end(), wanted) != values->end()
                || Value(name).value_or(std::string()) == wanted;
        }

        const SongItems& m_items;
    };

} // namespace

bool HasSubstitution(std::string_view text) { return text.find("%{") != std::string_view::npos; }

Expansion ExpandSubstitutions(std::string_view text, const SongItems& items)
{
    Expansion out;
    if (!HasSubstitution(text)) {
        out.text = std::string(text);
        const int count = CharacterCount(text);
        out.columnOf.resize(static_cast<size_t>(count) + 1);
        for (int c = 0; c <= count; ++c)
            out.columnOf[static_cast<size_t>(c)] = c;
        return out;
    }
    Expander expander(items);
    int column = 0; // of the output
    const auto keep = [&](std::string_view piece, int characters) {
        for (int k = 0; k < characters; ++k)
            out.columnOf.push_back(column);
        out.text += piece;
        column += CharacterCount(piece);
    };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size() && Escapable(text[i + 1])) {
            keep(text.substr(i + 1, 1), 2);
            i += 2;
            continue;
        }
        if (c == '%' && i + 1 < text.size() && text[i + 1] == '{') {
            const size_t close = Closing(text, i);
            if (close != std::string_view::npos) {
                const std::string_view whole = text.substr(i, close + 1 - i);
                keep(expander.One(whole.substr(2, whole.size() - 3), nullptr, 1), CharacterCount(whole));
                i = close + 1;
                continue;
            }
        }
        const size_t length = std::max<size_t>(1, Utf8SequenceLength(text, i));
        keep(text.substr(i, length), 1);
        i += length;
    }
    out.columnOf.push_back(column);
    return out;
}

} // namespace corvane
