// The list subcommand: the catalogue's types and extensions, tunings, patches, instruments.
#include "cli/list_command.h"

#include "cli/arguments.h"
#include "guitar/instrument.h"
#include "guitar/tuning.h"
#include "sound/patch_table.h"
#include "theory/catalogue.h"

namespace corvane::cli {

namespace {
    // The major chord is the blank row of both tables and the default; an empty line would only
    // confuse a script reading the list, so it is left out.
    void PrintNamed(std::ostream& out, std::string_view name)
    {
        if (name.find_first_not_of(' ') != std::string_view::npos)
            out << name << '\n';
    }
}

bool PrintList(std::string_view what, std::ostream& out)
{
    if (what == "types") {
        for (const ChordType& type : kChordTypes)
            PrintNamed(out, type.name);
    } else if (what == "extensions") {
        for (const Extension& extension : kExtensions)
            PrintNamed(out, extension.caption);
    } else if (what == "tunings") {
        for (const TuningPreset& preset : kTuningPresets)
            out << UsualCaption(preset) << '\n';
    } else if (what == "patches") {
        for (const Patch& patch : kPatches)
            out << patch.itemText << '\n';
    } else if (what == "instruments") {
        // The name --instrument takes, then its strings' open notes, lowest string first as held.
        for (const Instrument& instrument : Instruments())
            out << instrument.name << '\t' << OpenStringsText(instrument.tunings.front().strings) << '\n';
    } else {
        return false;
    }
    return true;
}

} // namespace corvane::cli
