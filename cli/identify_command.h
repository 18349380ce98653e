#pragma once
// The identify subcommand: the names of a chord given by its six frets.

#include <array>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

#include "guitar/identify.h"
#include "theory/notation.h"

namespace CLI {
class App;
}

namespace corvane::cli {

struct IdentifyRequest {
    std::string frets; // "x 3 2 0 1 0", lowest string first
    std::optional<std::string> tuning;
    std::optional<std::string> capo;
    std::optional<std::string> instrument;
    std::optional<std::string> notation;
    bool flats = false;
    bool json = false;
};

// Registers the subcommand and its options on the program's parser.
CLI::App* AddIdentifyCommand(CLI::App& app, IdentifyRequest& request);

// Prints the names one per line, the name a guitarist says first (written as players write it) and the
// others most likely first, or one JSON object; a value that cannot be read is named in one line
// on `err` with exit status 2. A fingering of fewer than two different notes prints no name and says
// so on `err`, with status 0.
int RunIdentify(const IdentifyRequest& request, std::ostream& out, std::ostream& err);

// What identify prints once a fingering is named, on any instrument: the names best-first, or the JSON
// object (`instrument` first when given, then frets, notes, bass, chordTones, best, names); no name is
// said on `err`. Returns the exit status, 0.
int PrintIdentification(const Identification& id, const std::array<std::string, 12>& noteNames, bool json,
    const std::string* instrument, std::span<const int> frets, std::ostream& out, std::ostream& err,
    Notation notation = Notation::Parts);

// The capo value of every subcommand: a fret 0..11.
std::optional<int> ParseCapoArgument(const std::string& text);
std::string CapoError(const std::string& text);

} // namespace corvane::cli
