#pragma once
// The two chord tables: the extension check list and the chord-type list. Data only.

#include <array>
#include <optional>
#include <string_view>

namespace corvane {

enum class CodeKind { Full, Add, Fifth, Third };

struct Extension {
    std::string_view caption;
    std::string_view code; // a whole interval list, " 0x" (add), "5xx" (new fifth) or "3xx" (new third)
};

struct ChordType {
    std::string_view name; // as shown in the list; row 0 is one blank
    std::string_view intervals;
};

constexpr int kExtensionCount = 51;
constexpr int kChordTypeCount = 35;

extern const std::array<Extension, kExtensionCount> kExtensions;
extern const std::array<ChordType, kChordTypeCount> kChordTypes;

// One flag per extension item, in list order: checked, enabled, ticked.
using ExtensionFlags = std::array<bool, kExtensionCount>;

// The items the selection rules single out, by their place in the list.
constexpr int kMajorItem = 0; // "": the plain major triad
constexpr int kMinorItem = 1; // "m"
constexpr int kAugItem = 2; // "aug"
constexpr int kDimItem = 3; // "dim"
constexpr int kFlatFifthItem = 9; // "5-"
constexpr int kSharpFifthItem = 11; // "5+"
constexpr int kMajorSeventhItem = 16; // "7+"

// Told apart by length and first character.
CodeKind KindOfCode(std::string_view code);

// Extension item with exactly this caption.
std::optional<int> FindExtension(std::string_view caption);

// Chord-type row whose name, blanks trimmed, equals the text.
std::optional<int> FindChordType(std::string_view name);

} // namespace corvane
