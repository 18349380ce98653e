#include "sound/patch_table.h"

namespace corvane {

std::optional<int> PatchProgram(int itemIndex)
{
    if (itemIndex < 0 || static_cast<std::size_t>(itemIndex) >= kPatches.size())
        return std::nullopt;
    return kPatches[static_cast<std::size_t>(itemIndex)].program;
}

std::optional<int> InstrumentPatchItem(std::string_view instrumentName)
{
    for (const auto& [name, item] : kInstrumentPatches)
        if (name == instrumentName)
            return item;
    return std::nullopt;
}

} // namespace corvane
