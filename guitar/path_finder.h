#pragma once
// The shortest path through layers of fingerings, for any number of strings: the one DP behind the
// progression's choice on the six-string guitar (Voicing) and on every other instrument (Frets). The
// fingering's own cost is computed by the caller; the moves between fingerings are the same for every
// instrument, string by string, and strings a fingering does not have count as muted in both, which
// costs nothing.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

#include "guitar/progression.h"

namespace corvane::path_finder {

constexpr int kInf = std::numeric_limits<int>::max() / 4;

// A string's state as one small number: 0 muted, 1 open, 2.. stopped at fret (code - 1).
constexpr int kCodes = 32;
constexpr int kMutedCode = 0;
constexpr int kOpenCode = 1;

inline int Code(int value)
{
    if (value == kMuted)
        return kMutedCode;
    if (value == 0)
        return kOpenCode;
    return std::min(std::abs(value), kCodes - 2) + 1;
}

inline bool Stopped(int value) { return value != kMuted && value != 0; }

// Lowest stopped fret, or 0 when no string is stopped (the hand is free).
template <class Fingering> int Position(const Fingering& v)
{
    int low = 0;
    for (int value : v)
        if (Stopped(value) && (low == 0 || std::abs(value) < low))
            low = std::abs(value);
    return low;
}

using MoveTable = std::array<std::array<int, kCodes>, kCodes>;

inline MoveTable BuildMoveTable(const CostWeights& w)
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

// The move from a to b: each string's change, and the hand's shift when both stop a string.
template <class Fingering> int MoveBetween(const Fingering& a, const Fingering& b, const CostWeights& w)
{
    const MoveTable table = BuildMoveTable(w);
    const int pa = Position(a);
    const int pb = Position(b);
    int cost = pa && pb ? w.positionShift * std::abs(pa - pb) : 0;
    const auto* x = a.begin();
    for (const auto* y = b.begin(); y != b.end() && x != a.end(); ++x, ++y)
        cost += table[static_cast<size_t>(Code(*x))][static_cast<size_t>(Code(*y))];
    return cost;
}

// What a fingering adds by its place in the progression: the first chord's height with "start near",
// and the frets outside a kept position.
template <class Fingering> int PlaceCost(const Fingering& v, bool first, const PathSettings& settings)
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
                * (std::max(0, settings.keepPosition->lowest - f) + std::max(0, f - settings.keepPosition->highest));
        }
    }
    return cost;
}

template <size_t Width> struct Node {
    std::array<std::uint8_t, Width> code {};
    int position = 0;
    int cost = 0; // the fingering's own cost and its place in the progression
};

// One layer of the path: the fingerings of one chord that has any.
template <size_t Width> struct Layer {
    size_t source = 0; // index among all layers, empty ones included
    std::vector<Node<Width>> nodes;
    int pinned = -1;
    bool Allowed(size_t i) const { return pinned < 0 || static_cast<size_t>(pinned) == i; }
};

template <size_t Width> class PathFinder {
public:
    PathFinder(std::vector<Layer<Width>> layers, const CostWeights& w)
        : m_layers(std::move(layers))
        , m_table(BuildMoveTable(w))
        , m_shift(w.positionShift)
    {
    }

    int Move(const Node<Width>& a, const Node<Width>& b) const
    {
        int cost = a.position && b.position ? m_shift * std::abs(a.position - b.position) : 0;
        for (size_t s = 0; s < Width; ++s)
            cost += m_table[a.code[s]][b.code[s]];
        return cost;
    }

    // The cheapest path through the layers in order; the path's layer indexes into `chosen`.
    // With `closing`, the path also pays the move from its last fingering to that node.
    // Returns its total, or kInf when a pin leaves no path.
    long long Forward(
        const std::vector<size_t>& order, std::vector<int>& chosen, const Node<Width>* closing = nullptr) const
    {
        std::vector<std::vector<int>> from(order.size());
        std::vector<int> d = Through(order, &from);
        if (closing) {
            const Layer<Width>& last = m_layers[order.back()];
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

    const std::vector<Layer<Width>>& Layers() const { return m_layers; }

private:
    std::vector<int> Start(const Layer<Width>& layer) const
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
            const Layer<Width>& next = m_layers[order[k]];
            Relax(m_layers[order[k - 1]], d, next, best, from ? (*from)[k] : unused);
            for (size_t j = 0; j < best.size(); ++j)
                best[j] = next.Allowed(j) && best[j] < kInf ? best[j] + next.nodes[j].cost : kInf;
            std::swap(d, best);
        }
        return d;
    }

    // Written out string by string: this sum is the inner loop of the whole choice.
    template <size_t... S>
    static int SumRows(const std::array<const int*, Width>& rows, const std::array<std::uint8_t, Width>& code,
        std::index_sequence<S...>)
    {
        return (rows[S][code[S]] + ...);
    }

    struct Entry {
        int d;
        int index;
        std::array<std::uint8_t, Width> code;
    };

    // For every node b of `next`: min over the nodes a of `prev` of d[a] + Move(a, b), and the a
    // that gives it. The nodes of `prev` are grouped by position and sorted by d; since a move
    // costs at least the position shift, a group is read only while d plus that shift can still
    // beat the best found, so most pairs are never looked at and the result stays exact.
    void Relax(const Layer<Width>& prev, const std::vector<int>& d, const Layer<Width>& next, std::vector<int>& best,
        std::vector<int>& from) const
    {
        std::vector<std::vector<Entry>> groups(kCodes);
        int lowestD = kInf;
        for (size_t i = 0; i < prev.nodes.size(); ++i) {
            if (d[i] >= kInf)
                continue;
            const Node<Width>& a = prev.nodes[i];
            groups[static_cast<size_t>(a.position)].push_back({ d[i], static_cast<int>(i), a.code });
            lowestD = std::min(lowestD, d[i]);
        }
        for (auto& group : groups)
            std::sort(group.begin(), group.end(), [](const Entry& x, const Entry& y) { return x.d < y.d; });

        best.assign(next.nodes.size(), kInf);
        from.assign(next.nodes.size(), -1);
        int warm = -1; // the previous node's choice: neighbours in a result list often share it
        for (size_t j = 0; j < next.nodes.size(); ++j) {
            const Node<Width>& b = next.nodes[j];
            std::array<const int*, Width> rows;
            for (size_t s = 0; s < Width; ++s)
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
                    cost += SumRows(rows, e.code, std::make_index_sequence<Width> {});
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

    std::vector<Layer<Width>> m_layers;
    MoveTable m_table;
    int m_shift;
};

// The path through layers of fingerings of at most Width strings, each costing `ownCost` of itself.
template <size_t Width, class Fingering, class OwnCost>
Path ChooseLayers(const std::vector<std::vector<Fingering>>& layers, const PathSettings& settings, OwnCost ownCost)
{
    Path path;
    path.chosen.assign(layers.size(), -1);
    path.costs.assign(layers.size(), 0);

    std::vector<Layer<Width>> filled;
    for (size_t k = 0; k < layers.size(); ++k) {
        if (layers[k].empty())
            continue;
        Layer<Width> layer;
        layer.source = k;
        const bool first = filled.empty();
        for (const Fingering& v : layers[k]) {
            Node<Width> node;
            size_t s = 0;
            for (int value : v)
                node.code[s++] = static_cast<std::uint8_t>(Code(value));
            node.position = std::min(Position(v), kCodes - 1);
            node.cost = ownCost(v) + PlaceCost(v, first, settings);
            layer.nodes.push_back(node);
        }
        if (k < settings.pinned.size() && settings.pinned[k] >= 0
            && static_cast<size_t>(settings.pinned[k]) < layer.nodes.size())
            layer.pinned = settings.pinned[k];
        filled.push_back(std::move(layer));
    }
    if (filled.empty())
        return path;

    PathFinder<Width> finder(std::move(filled), settings.weights);
    const std::vector<Layer<Width>>& used = finder.Layers();
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
        const Node<Width>& node = used[k].nodes[static_cast<size_t>(chosen[k])];
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

} // namespace corvane::path_finder
