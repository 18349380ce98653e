#pragma once
// corvane-cli songbook FILES|DIRS or --setlist FILE: many songs in one book, as PDF or as its plan.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

class SongbookCommand {
public:
    explicit SongbookCommand(CLI::App& app);

    bool Chosen() const { return m_command->parsed(); }
    // 0 when the book is made, even when some songs could not be read (each is named); 2 when no
    // book can be made or an option cannot be used.
    int Run() const;

private:
    CLI::App* m_command;
    std::vector<std::string> m_paths;
    std::string m_setlist;
    std::optional<std::string> m_title;
    std::string m_subtitle;
    bool m_twoSided = false;
    bool m_compact = false;
    std::string m_format = "pdf";
    std::string m_out;
    std::optional<std::string> m_instrument;
    std::optional<std::string> m_tuning;
    std::optional<std::string> m_notation;
};

} // namespace corvane::cli
