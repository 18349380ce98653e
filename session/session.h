#pragma once
// One session: a fresh main window in its start-up state, on a recording MIDI port, with its result
// sheet sized to a given width; user actions performed on it through real input events; and what the
// window shows afterwards.

#include <nlohmann/json.hpp>

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
class RecordingPort;
class TForm1;
}

namespace corvane::session {

class Session {
public:
    // An error when the window cannot give the sheet that width.
    static std::unique_ptr<Session> Open(int sheetWidth, std::string& error);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Performs one action, ["name", arguments...]; the error text when it was refused, in which case
    // nothing was done. Does not check that the name is known (see IsKnownAction).
    std::optional<std::string> Perform(const nlohmann::json& action);

    // The fields and the controls as the window shows them now (without "answers").
    nlohmann::json Snapshot() const;

    TForm1& window() const { return *m_window; }
    RecordingPort& midi() const { return *m_midi; }

    // A control of the main window by its object name, or null.
    template <typename T> T* Control(const char* name) const;

    // Refreshes run since the session was opened (the start-up and the first sizing not counted).
    int refreshCount() const { return m_refreshes; }

    // The root grid's texts when the last refresh ran: the names list is spelled with them.
    const std::array<std::string, 12>& rootNamesAtRefresh() const { return m_rootNamesAtRefresh; }

    // Separate user moves made by the last action (one, or one per key press of a bar moved by keys).
    int userMoves() const { return m_userMoves; }
    void addUserMoves(int moves) { m_userMoves += moves; }

    // Exceptions that escaped a handler during this session, oldest first.
    const std::vector<std::string>& reportedExceptions() const { return m_exceptions; }

    // Resizes the window so that the sheet is `width` wide; an error, with nothing changed, when the
    // window cannot be made that size.
    std::optional<std::string> ResizeSheet(int width);

    // Closes the window as File > Close does (which writes the settings file, if there is one) and
    // opens a fresh one on the same file, shown where and as large as the old one was left.
    std::optional<std::string> Restart();
    int SheetWidth() const;
    // The narrowest sheet the window's controls leave room for.
    int NarrowestSheetWidth() const;

private:
    Session() = default;
    // A new window on a recording port, with the settings file if one was given.
    void MakeWindow();
    std::optional<std::string> WatchWindow();
    QWidget* Find(const char* name) const;
    void NoteRefresh();

    std::unique_ptr<TForm1> m_window;
    QMetaObject::Connection m_refreshWatch;
    RecordingPort* m_midi = nullptr;
    int m_refreshes = 0;
    int m_userMoves = 0;
    std::array<std::string, 12> m_rootNamesAtRefresh;
    std::vector<std::string> m_exceptions;
};

template <typename T> T* Session::Control(const char* name) const { return qobject_cast<T*>(Find(name)); }

// Whether the action table has this name.
bool IsKnownAction(const std::string& name);

// The settings file (INI) every window of the sessions that follow reads, and writes when it is
// closed; empty for none, as by default: then nothing is read or written.
void SetSettingsFile(const std::string& path);

// Runs one input line, {"sheetWidth": W, "actions": [...]}, and gives the answer line's object.
nlohmann::json RunSessionLine(const std::string& line);

} // namespace corvane::session
