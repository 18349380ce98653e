#pragma once
// Where a General MIDI sound font is looked for, in order. Plain code over a "does this file exist"
// question, so that the order can be checked without touching the file system.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The sound fonts that distributions install, best first: Debian's default-GM.sf2 is an alternative
// that names whichever General MIDI font the system prefers; then the small TimGM6mb and the larger
// FluidR3, in Debian's folder and in the folder other distributions use.
inline constexpr std::string_view kDebianDefaultSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
inline constexpr std::string_view kSoundFontFolders[] = { "/usr/share/sounds/sf2", "/usr/share/soundfonts" };
inline constexpr std::string_view kSoundFontFiles[] = { "TimGM6mb.sf2", "FluidR3_GM.sf2" };

using FileExists = std::function<bool(const std::string& path)>;

// Every place to try, in order, without repeats and without empty entries: the file the user chose,
// the synthesizer's own default, Debian's default, then the known files in the known folders.
std::vector<std::string> SoundFontCandidates(std::string_view chosen, std::string_view synthDefault);

// The candidates that exist, in the same order.
std::vector<std::string> ExistingSoundFonts(
    std::string_view chosen, std::string_view synthDefault, const FileExists& exists);

// The first existing candidate, if any.
std::optional<std::string> FindSoundFont(
    std::string_view chosen, std::string_view synthDefault, const FileExists& exists);

// A readable regular file, symbolic links followed (the Debian default is a chain of two links).
bool IsSoundFontFile(const std::string& path);

} // namespace corvane
