#include "guitar/progression.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <numeric>

#include "guitar/easy_shapes.h"
#include "guitar/refresh.h"
#include "theory/name_reading.h"

namespace corvane {

namespace {

    constexpr int kInf = std::numeric_limits<int>::max() / 4;

    // A string's state as one small number: 0 muted, 1 open, 2.. stopped at fret (code - 1).
    constexpr int kCodes = 32;
    constexpr int kMutedCode = 0;
    constexpr int kOpenCode = 1;

    int Code(int value)
    {
        if (value == kMuted)
            return kMutedCode;
        if (value == 0)
            return kOpenCode;
        return std::min(std::abs(value), kCodes - 2) + 1;
    }

    bool Stopped(int value) { return value != kMuted && value != 0; }

    // Lowest stopped fret, or 0 when no string is stopped (the hand is free).
    int Position(const Voicing& v)
    {
        int low = 0;
        for (int value : v)
            if (Stopped(value) && (low == 0 || std::abs(value) < low))
                low = std::abs(value);
        return low;
    }

    using MoveTable = std::array<std::array<int, kCodes>, kCodes>;

    MoveTable BuildMoveTable(const CostWeights& w)
    {
        MoveTable table {};
        for (int x = 0; x < kCodes; ++x) {
            for (int y = 0; y < kCodes; ++y) {
                int cost = 0;
                if (x > kOpenCode && y > kOpenCode)
                    cost = w.fretMove * std::abs(x - y);
                else if (x != y)
                    cost = w.stringChange;
                table[static_cast<size_t>(x)][static_cast<size_t>(y)] = cost;
            }
        }
        return table;
    }

    struct Node {
        std::array<std::uint8_t, kStrings> code {};
        int position = 0;
        int cost = 0; // the fingering's own cost and its place in the progression
    };

    // One layer of the path: the fingerings of one chord that has any.
    struct Layer {
        size_t source = 0; // index among all layers, empty ones included
        std::vector<Node> nodes;
        int pinned = -1;
        bool Allowed(size_t i) const { return pinned < 0 || static_cast<size_t>(pinned) == i; }
    };

    int PlaceCost(const Voicing& v, bool first, const PathSettings& settings)
    {
        const CostWeights& w = settings.weights;
        int cost = 0;
        if (first && settings.startNear)
            cost += w.startFret * Position(v);
        if (settings.keepPosition) {
            for (int value : v) {
                if (!Stopped(value))
                    continue;
                const int f = std::abs(value);
                cost += w.outsideFret
                    * (std::max(0, settings.keepPosition->lowest - f)
                        + std::max(0, f - settings.keepPosition->highest));
            }
        }
        return cost;
    }

    class PathFinder {
    public:
        PathFinder(std::vector<Layer> layers, const CostWeights& w)
            : m_layers(std::move(layers))
            , m_table(BuildMoveTable(w))
            , m_shift(w.positionShift)
        {
        }

        int Move(const Node& a, const Node& b) const
        {
            int cost = a.position && b.position ? m_shift * std::abs(a.position - b.position) : 0;
            for (size_t s = 0; s < kStrings; ++s)
                cost += m_table[a.code[s]][b.code[s]];
            return cost;
        }

        // The cheapest path through the layers in order; the path's layer indexes into `chosen`.
        // With `closing`, the path also pays the move from its last fingering to that node.
        // Returns its total, or kInf when a pin leaves no path.
        long long Forward(
            const std::vector<size_t>& order, std::vector<int>& chosen, const Node* closing = nullptr) const
        {
            std::vector<std::vector<int>> from(order.size());
            std::vector<int> d = Through(order, &from);
            if (closing) {
                const Layer& last = m_layers[order.back()];
                for (size_t i = 0; i < d.size(); ++i)
                    if (d[i] < kInf)
                        d[i] += Move(last.nodes[i], *closing);
            }
            const auto last = std::min_element(d.begin(), d.end());
            if (*last >= kInf)
                return kInf;
            chosen.assign(order.size(), -1);
            chosen.back() = static_cast<int>(last - d.begin());
            for (size_t k = order.size() - 1; k > 0; --k)
                chosen[k - 1] = from[k][static_cast<size_t>(chosen[k])];
            return *last;
        }

        // The cheapest closed path: the last layer moves back to the first. Every first fingering is
        // tried in the order of a lower bound on its round (the cheapest path on from it, found
        // backwards, plus its cheapest return move) until the bound passes the best round found.
        long long Round(std::vector<int>& chosen)
        {
            const size_t n = m_layers.size();
            std::vector<size_t> backward(n);
            std::iota(backward.rbegin(), backward.rend(), size_t { 0 });
            std::vector<int> onward = Through(backward);
            std::vector<int> zero(m_layers.back().nodes.size(), 0);
            for (size_t i = 0; i < zero.size(); ++i)
                zero[i] = m_layers.back().Allowed(i) ? 0 : kInf;
            std::vector<int> back, unused;
            Relax(m_layers.back(), zero, m_layers.front(), back, unused);

            std::vector<std::pair<long long, size_t>> starts;
            for (size_t i = 0; i < onward.size(); ++i)
                if (onward[i] < kInf && back[i] < kInf)
                    starts.emplace_back(static_cast<long long>(onward[i]) + back[i], i);
            std::sort(starts.begin(), starts.end());

            std::vector<size_t> order(n);
            std::iota(order.begin(), order.end(), size_t { 0 });
            const int firstPin = m_layers.front().pinned;
            long long best = kInf;
            for (const auto& [bound, start] : starts) {
                if (bound >= best)
                    break;
                m_layers.front().pinned = static_cast<int>(start);
                std::vector<int> path;
                const long long total = Forward(order, path, &m_layers.front().nodes[start]);
                if (total < best) {
                    best = total;
                    chosen = std::move(path);
                }
            }
            m_layers.front().pinned = firstPin;
            return best;
        }

        const std::vector<Layer>& Layers() const { return m_layers; }

    private:
        std::vector<int> Start(const Layer& layer) const
        {
            std::vector<int> d(layer.nodes.size());
            for (size_t i = 0; i < d.size(); ++i)
                d[i] = layer.Allowed(i) ? layer.nodes[i].cost : kInf;
            return d;
        }

        // The cheapest path cost ending at each node of the last layer of `order`; `from`, when given,
        // receives per layer the node of the layer before that each node is reached from.
        std::vector<int> Through(const std::vector<size_t>& order, std::vector<std::vector<int>>* from = nullptr) const
        {
            std::vector<int> d = Start(m_layers[order[0]]);
            std::vector<int> best;
            std::vector<int> unused;
            for (size_t k = 1; k < order.size(); ++k) {
                const Layer& next = m_layers[order[k]];
                Relax(m_layers[order[k - 1]], d, next, best, from ? (*from)[k] : unused);
                for (size_t j = 0; j < best.size(); ++j)
                    best[j] = next.Allowed(j) && best[j] < kInf ? best[j] + next.nodes[j].cost : kInf;
                std::swap(d, best);
            }
            return d;
        }

        struct Entry {
            int d;
            int index;
            std::array<std::uint8_t, kStrings> code;
        };

        // For every node b of `next`: min over the nodes a of `prev` of d[a] + Move(a, b), and the a
        // that gives it. The nodes of `prev` are grouped by position and sorted by d; since a move
        // costs at least the position shift, a group is read only while d plus that shift can still
        // beat the best found, so most pairs are never looked at and the result stays exact.
        void Relax(const Layer& prev, const std::vector<int>& d, const Layer& next, std::vector<int>& best,
            std::vector<int>& from) const
        {
            std::vector<std::vector<Entry>> groups(kCodes);
            int lowestD = kInf;
            for (size_t i = 0; i < prev.nodes.size(); ++i) {
                if (d[i] >= kInf)
                    continue;
                const Node& a = prev.nodes[i];
                groups[static_cast<size_t>(a.position)].push_back({ d[i], static_cast<int>(i), a.code });
                lowestD = std::min(lowestD, d[i]);
            }
            for (auto& group : groups)
                std::sort(group.begin(), group.end(), [](const Entry& x, const Entry& y) { return x.d < y.d; });

            best.assign(next.nodes.size(), kInf);
            from.assign(next.nodes.size(), -1);
            int warm = -1; // the previous node's choice: neighbours in a result list often share it
            for (size_t j = 0; j < next.nodes.size(); ++j) {
                const Node& b = next.nodes[j];
                std::array<const int*, kStrings> rows;
                for (size_t s = 0; s < kStrings; ++s)
                    rows[s] = m_table[b.code[s]].data();
                int top = kInf;
                int arg = -1;
                if (warm >= 0) {
                    top = d[static_cast<size_t>(warm)] + Move(prev.nodes[static_cast<size_t>(warm)], b);
                    arg = warm;
                }
                const auto scan = [&](const std::vector<Entry>& group, int shift) {
                    for (const Entry& e : group) {
                        int cost = e.d + shift;
                        if (cost >= top)
                            break;
                        cost += rows[0][e.code[0]] + rows[1][e.code[1]] + rows[2][e.code[2]] + rows[3][e.code[3]]
                            + rows[4][e.code[4]] + rows[5][e.code[5]];
                        if (cost < top) {
                            top = cost;
                            arg = e.index;
                        }
                    }
                };
                scan(groups[0], 0);
                if (b.position == 0) {
                    for (size_t p = 1; p < groups.size(); ++p)
                        scan(groups[p], 0);
                } else {
                    for (int dist = 0;; ++dist) {
                        const int shift = m_shift * dist;
                        const int below = b.position - dist;
                        const int above = b.position + dist;
                        if ((top < kInf && lowestD + shift >= top) || (below < 1 && above >= kCodes))
                            break;
                        if (below >= 1)
                            scan(groups[static_cast<size_t>(below)], shift);
                        if (dist > 0 && above < kCodes)
                            scan(groups[static_cast<size_t>(above)], shift);
                    }
                }
                best[j] = top;
                from[j] = arg;
                warm = arg;
            }
        }

        std::vector<Layer> m_layers;
        MoveTable m_table;
        int m_shift;
    };

    Node MakeNode(const Voicing& v, int cost)
    {
        Node node;
        for (size_t s = 0; s < kStrings; ++s)
            node.code[s] = static_cast<std::uint8_t>(Code(v[s]));
        node.position = std::min(Position(v), kCodes - 1);
        node.cost = cost;
        return node;
    }

    std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

int FingeringCost(const Voicing& v, const CostWeights& w)
{
    Voicing plain;
    int low = 0;
    int high = 0;
    for (size_t s = 0; s < kStrings; ++s) {
        plain[s] = v[s] == kMuted ? kMuted : std::abs(v[s]);
        if (Stopped(v[s])) {
            const int f = std::abs(v[s]);
            low = low == 0 ? f : std::min(low, f);
            high = std::max(high, f);
        }
    }
    const int fingers = CountFingers(plain, false);
    const bool barre = std::any_of(plain.begin(), plain.end(), [](int value) { return value < 0; })
        || std::any_of(v.begin(), v.end(), [](int value) { return value < 0; });
    int mutes = 0;
    for (int s = 0; s < kStrings; ++s) {
        if (v[static_cast<size_t>(s)] != kMuted)
            continue;
        const bool soundsBelow = std::any_of(v.begin(), v.begin() + s, [](int x) { return x != kMuted; });
        const bool soundsAbove = std::any_of(v.begin() + s + 1, v.end(), [](int x) { return x != kMuted; });
        mutes += soundsBelow && soundsAbove ? w.innerMute : soundsBelow ? w.trebleMute : w.bassMute;
    }
    int shape = IsChartShape(v) ? 0 : w.offChart;
    if (low > 0)
        shape += w.height * (low - 1);
    if (low >= w.highPosition)
        shape += w.openUnderHand * static_cast<int>(std::count(v.begin(), v.end(), 0));
    return w.finger * fingers + w.spanFret * (high - low) * (high - low) + (barre ? w.barre : 0) + mutes + shape;
}

int MoveCost(const Voicing& a, const Voicing& b, const CostWeights& w)
{
    const MoveTable table = BuildMoveTable(w);
    const int pa = Position(a);
    const int pb = Position(b);
    int cost = pa && pb ? w.positionShift * std::abs(pa - pb) : 0;
    for (size_t s = 0; s < kStrings; ++s)
        cost += table[static_cast<size_t>(Code(a[s]))][static_cast<size_t>(Code(b[s]))];
    return cost;
}

Path ChoosePath(const std::vector<std::vector<Voicing>>& layers, const PathSettings& settings)
{
    Path path;
    path.chosen.assign(layers.size(), -1);
    path.costs.assign(layers.size(), 0);

    std::vector<Layer> filled;
    for (size_t k = 0; k < layers.size(); ++k) {
        if (layers[k].empty())
            continue;
        Layer layer;
        layer.source = k;
        const bool first = filled.empty();
        for (const Voicing& v : layers[k])
            layer.nodes.push_back(MakeNode(v, FingeringCost(v, settings.weights) + PlaceCost(v, first, settings)));
        if (k < settings.pinned.size() && settings.pinned[k] >= 0
            && static_cast<size_t>(settings.pinned[k]) < layer.nodes.size())
            layer.pinned = settings.pinned[k];
        filled.push_back(std::move(layer));
    }
    if (filled.empty())
        return path;

    PathFinder finder(std::move(filled), settings.weights);
    const std::vector<Layer>& used = finder.Layers();
    std::vector<int> chosen;
    if (settings.loop && used.size() > 1) {
        finder.Round(chosen);
    } else {
        std::vector<size_t> order(used.size());
        std::iota(order.begin(), order.end(), size_t { 0 });
        finder.Forward(order, chosen);
    }

    // Pins always leave a path (each layer keeps at least one node and every move is finite).
    for (size_t k = 0; k < used.size(); ++k) {
        const Node& node = used[k].nodes[static_cast<size_t>(chosen[k])];
        int cost = node.cost;
        if (k > 0)
            cost += finder.Move(used[k - 1].nodes[static_cast<size_t>(chosen[k - 1])], node);
        else if (settings.loop && used.size() > 1)
            cost += finder.Move(used.back().nodes[static_cast<size_t>(chosen.back())], node);
        path.chosen[used[k].source] = chosen[k];
        path.costs[used[k].source] = cost;
        path.total += cost;
    }
    return path;
}

ProgressionChoice ChooseProgression(
    const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options, std::vector<int> pinned)
{
    ProgressionChoice out;
    out.chords.reserve(entries.size());
    std::map<std::string, size_t> seen; // a chord written again is read and searched once
    for (const ProgressionEntry& entry : entries) {
        ChordChoice chord;
        chord.text = entry.chord;
        chord.beats = entry.beats;
        if (const auto it = seen.find(entry.chord); it != seen.end()) {
            const ChordChoice& earlier = out.chords[it->second];
            chord.read = earlier.read;
            chord.reading = earlier.reading;
            chord.nameBoxText = earlier.nameBoxText;
            chord.noteList = earlier.noteList;
            chord.results = earlier.results;
            chord.problem = earlier.problem;
            out.chords.push_back(std::move(chord));
            continue;
        }
        seen.emplace(entry.chord, out.chords.size());
        SongChord song = ReadSongChord(entry.chord);
        chord.read = std::move(song.read);
        chord.reading = std::move(song.state);
        chord.nameBoxText = std::move(song.nameBoxText);
        const RefreshInput input = FromSelection(chord.reading, options.search);
        chord.noteList = NoteListText(input);
        // Without a root the name box would search C over whatever bass it read: not what was meant.
        // A chord read in part would be another chord than the one written.
        if (!song.rootRead || chord.reading.rootIndex == kNoPitch) {
            chord.problem = "not a chord name: it does not start with a note";
        } else if (!song.unread.empty()) {
            chord.problem = "not understood: " + UnreadText(song.unread);
        } else {
            RefreshResult found = ComputeRefresh(input);
            if (!found.error.empty())
                chord.problem = found.error;
            else if (found.records.empty())
                chord.problem = "no fingering with these options";
            chord.results = std::move(found.records);
        }
        out.chords.push_back(std::move(chord));
    }

    std::vector<std::vector<Voicing>> layers(out.chords.size());
    for (size_t k = 0; k < out.chords.size(); ++k) {
        const ChordChoice& chord = out.chords[k];
        if (!chord.problem.empty()) {
            out.problems.push_back("chord " + std::to_string(k + 1) + " " + Quoted(chord.text) + ": " + chord.problem);
            continue;
        }
        layers[k].reserve(chord.results.size());
        for (const VoicingRecord& record : chord.results)
            layers[k].push_back(record.frets);
    }

    PathSettings settings;
    settings.startNear = options.startNear;
    settings.keepPosition = options.keepPosition;
    settings.loop = options.loop;
    settings.weights = options.weights;
    settings.pinned = std::move(pinned);
    const Path path = ChoosePath(layers, settings);
    for (size_t k = 0; k < out.chords.size(); ++k) {
        out.chords[k].chosen = path.chosen[k];
        out.chords[k].cost = path.costs[k];
    }
    out.total = path.total;
    return out;
}

CapoSuggestion SuggestCapo(const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options)
{
    CapoSuggestion best;
    long long bestTotal = 0;
    for (int capo = 0; capo <= kSuggestedCapoHighest; ++capo) {
        ProgressionOptions tried = options;
        tried.search.capo = capo;
        ProgressionChoice choice = ChooseProgression(entries, tried);
        const long long total = choice.total + static_cast<long long>(options.weights.capoFret) * capo;
        const bool better = capo == 0 || choice.problems.size() < best.choice.problems.size()
            || (choice.problems.size() == best.choice.problems.size() && total < bestTotal);
        if (better) {
            bestTotal = total;
            best.capo = capo;
            best.choice = std::move(choice);
        }
    }
    return best;
}

SongSheet SongSheetOf(const ProgressionChoice& choice)
{
    SongSheet sheet;
    for (const ChordChoice& chord : choice.chords) {
        if (const VoicingRecord* chosen = chord.Chosen()) {
            sheet.diagrams.push_back(chosen->frets);
            sheet.names.push_back(chord.text);
        }
    }
    return sheet;
}

} // namespace corvane
