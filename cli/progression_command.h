#pragma once
// corvane-cli progression "C Am F G": one fingering per chord, chosen for the least hand movement.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "cli/chord_request.h"

namespace corvane::cli {

class ProgressionCommand {
public:
    explicit ProgressionCommand(CLI::App& app);

    bool Chosen() const { return m_command->parsed(); }
    // Prints the choice; the exit status: 0, 1 when some chords were left out, 2 for bad input.
    int Run() const;

private:
    CLI::App* m_command;
    std::string m_text;
    std::string m_format = "frets";
    std::string m_keepPosition;
    std::optional<std::string> m_key;
    std::optional<std::string> m_notation;
    bool m_anywhere = false;
    bool m_loop = false;
    ChordRequest m_search; // only its search options are read
};

// The search options shared by the commands: tuning, up-to fret, distance, capo, omit, easy, no barre.
void AddSearchOptions(CLI::App& command, ChordRequest& request);

} // namespace corvane::cli
