// The capo suggestion said in words.
#include "song/capo_reason.h"

#include <algorithm>

#include "song/spelling.h"

namespace corvane {

namespace {

    std::string Counted(int count, const char* one, const char* many)
    {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    }

} // namespace

std::string HardChordsText(const CapoEase& ease)
{
    std::vector<std::string> parts;
    if (ease.barres > 0)
        parts.push_back(Counted(ease.barres, "barre chord", "barre chords"));
    if (ease.offChart > 0)
        parts.push_back(Counted(ease.offChart, "shape off the charts", "shapes off the charts"));
    if (ease.high > 0)
        parts.push_back(Counted(ease.high, "chord high on the neck", "chords high on the neck"));
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return out;
}

std::string CapoReason(
    int capo, const CapoEase& ease, const CapoEase& withoutCapo, const std::vector<std::string>& shapes)
{
    if (capo == 0) {
        if (withoutCapo.Hard() > 0)
            return "No capo: no capo makes the " + HardChordsText(withoutCapo) + " easier";
        return withoutCapo.left == 0 ? "No capo: every chord is an open shape"
                                     : "No capo: every chord with a fingering is an open shape";
    }
    std::string names;
    for (const std::string& shape : shapes)
        names += (names.empty() ? "" : " ") + shape;
    std::string out = "Capo " + std::to_string(capo) + ": " + names + " shapes";
    if (withoutCapo.Hard() > 0)
        out += " instead of " + HardChordsText(withoutCapo);
    if (ease.Hard() > 0)
        out += ", still " + HardChordsText(ease);
    return out;
}

std::vector<std::string> ShapeNames(const std::vector<std::string>& sounding, int capo)
{
    std::vector<std::string> out;
    if (sounding.empty())
        return out;
    const std::optional<MusicalKey> key = KeyOfChord(sounding.front());
    const MusicalKey shapeKey = key ? TransposeKey(*key, -capo) : MusicalKey {};
    for (const std::string& name : sounding) {
        std::string shape = TransposeChordName(name, -capo, shapeKey);
        if (std::find(out.begin(), out.end(), shape) == out.end())
            out.push_back(std::move(shape));
    }
    return out;
}

} // namespace corvane
