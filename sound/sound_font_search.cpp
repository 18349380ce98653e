#include "sound/sound_font_search.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace corvane {

std::vector<std::string> SoundFontCandidates(std::string_view chosen, std::string_view synthDefault)
{
    std::vector<std::string> paths;
    const auto add = [&paths](std::string path) {
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(std::move(path));
    };
    add(std::string(chosen));
    add(std::string(synthDefault));
    add(std::string(kDebianDefaultSoundFont));
    for (std::string_view folder : kSoundFontFolders)
        for (std::string_view file : kSoundFontFiles)
            add(std::string(folder) + "/" + std::string(file));
    return paths;
}

std::vector<std::string> ExistingSoundFonts(
    std::string_view chosen, std::string_view synthDefault, const FileExists& exists)
{
    std::vector<std::string> found = SoundFontCandidates(chosen, synthDefault);
    std::erase_if(found, [&exists](const std::string& path) { return !exists(path); });
    return found;
}

std::optional<std::string> FindSoundFont(
    std::string_view chosen, std::string_view synthDefault, const FileExists& exists)
{
    for (std::string& path : SoundFontCandidates(chosen, synthDefault))
        if (exists(path))
            return std::move(path);
    return std::nullopt;
}

bool IsSoundFontFile(const std::string& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return false;
    return std::ifstream(path, std::ios::binary).good();
}

} // namespace corvane
