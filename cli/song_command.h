#pragma once
// corvane-cli song FILE: a ChordPro song or a pasted chord sheet, moved to another key or put under a
// capo, given fingerings, and written as text, ChordPro, JSON or a song sheet.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace corvane::cli {

class SongCommand {
public:
    explicit SongCommand(CLI::App& app);

    bool Chosen() const { return m_command->parsed(); }
    // The exit status: 0 for a song read, even with problems; 2 for a file that cannot be read or
    // an option that cannot be used.
    int Run() const;

private:
    CLI::App* m_command;
    std::string m_file;
    int m_transpose = 0;
    std::string m_capo;
    std::string m_format = "text";
    std::string m_out;
    std::optional<std::string> m_notation;
    std::optional<std::string> m_instrument;
    std::optional<std::string> m_tuning;
};

} // namespace corvane::cli
