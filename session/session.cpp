// One session: a fresh main window on a recording MIDI port, user actions on it, and what it shows.
#include "session/session.h"

#include "app/main_window.h"
#include "session/actions.h"
#include "sound/recording_port.h"
#include "toolkit/application.h"
#include "toolkit/text_grid.h"
#include "windows/export_dialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QScrollArea>
#include <QSettings>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace corvane::session {

namespace {
    constexpr int kWindowHeight = 700;

    // A user who cancels every file and print dialog. A failure the window reports is kept with
    // the exceptions, so that a run notices it.
    class CancellingDialogs final : public ExportDialogs {
    public:
        explicit CancellingDialogs(std::vector<std::string>& reports)
            : m_reports(reports)
        {
        }
        std::optional<SaveChoice> saveFile(QWidget*, const QString&, const QString&, const QString&) override
        {
            return std::nullopt;
        }
        std::optional<bool> print(QWidget*, const PaintPages&) override { return std::nullopt; }
        void preview(QWidget*, const PaintPages&) override { }
        void showError(QWidget*, const QString& title, const QString& message) override
        {
            m_reports.push_back("message box " + title.toStdString() + ": " + message.toStdString());
        }

    private:
        std::vector<std::string>& m_reports;
    };

    std::string& SettingsFile()
    {
        static std::string path;
        return path;
    }
}

void SetSettingsFile(const std::string& path) { SettingsFile() = path; }

void Session::MakeWindow()
{
    RecordingPort** port = &m_midi;
    m_window = std::make_unique<TForm1>([port](int) {
        auto recording = std::make_unique<RecordingPort>();
        *port = recording.get();
        return recording;
    });
    m_window->setExportDialogs(std::make_unique<CancellingDialogs>(m_exceptions));
    // A user cannot make the window narrower than its control strip; a session may, so that sheets
    // of any width stay within reach of the checks.
    if (auto* strip = m_window->findChild<QWidget*>(QStringLiteral("PanelBraco")))
        strip->setMinimumWidth(0);
    // Restore defaults is asked for on purpose in a session: its question is answered yes.
    m_window->setRestoreQuestion([](QWidget*, const QString&, const QString&) { return true; });
    if (!SettingsFile().empty())
        m_window->UseSettings(
            std::make_unique<QSettings>(QString::fromStdString(SettingsFile()), QSettings::IniFormat));
}

std::optional<std::string> Session::WatchWindow()
{
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return "the window was not shown";
    // The window has the keyboard, so that its shortcuts and mnemonics answer keys as on a desktop.
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        return "the window did not become active";
    auto* names = Control<QListWidget>("ListBox1");
    m_refreshWatch
        = QObject::connect(names->model(), &QAbstractItemModel::modelReset, m_window.get(), [this] { NoteRefresh(); });
    return std::nullopt;
}

std::optional<std::string> Session::Restart()
{
    QObject::disconnect(m_refreshWatch);
    m_window->close();
    m_window.reset();
    MakeWindow();
    m_window->ShowAsKept();
    if (std::optional<std::string> refused = WatchWindow())
        return refused;
    QCoreApplication::processEvents();
    m_refreshes = 0;
    m_midi->clear();
    return std::nullopt;
}

std::unique_ptr<Session> Session::Open(int sheetWidth, std::string& error)
{
    std::unique_ptr<Session> session(new Session);
    session->MakeWindow();
    Session* self = session.get();
    Application::setExceptionReporter(
        [self](const QString& message) { self->m_exceptions.push_back(message.toStdString()); });

    TForm1& window = *session->m_window;
    window.resize(1000, kWindowHeight);
    window.show();
    if (std::optional<std::string> refused = session->WatchWindow()) {
        error = *refused;
        return nullptr;
    }
    if (std::optional<std::string> refused = session->ResizeSheet(sheetWidth)) {
        error = *refused;
        return nullptr;
    }
    QCoreApplication::processEvents();
    session->m_refreshes = 0;
    session->m_midi->clear();
    return session;
}

Session::~Session()
{
    // The name list empties itself as the window goes, which is no refresh.
    QObject::disconnect(m_refreshWatch);
    m_window.reset();
    // Exceptions after the session has gone are only written to the error output.
    Application::setExceptionReporter(
        [](const QString& message) { std::fprintf(stderr, "exception reported: %s\n", qPrintable(message)); });
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

QWidget* Session::Find(const char* name) const
{
    if (QString::fromLatin1(name) == m_window->objectName())
        return m_window.get();
    return m_window->findChild<QWidget*>(QString::fromLatin1(name));
}

void Session::NoteRefresh()
{
    ++m_refreshes;
    if (auto* grid = Control<TextGrid>("StringGridAcorde"))
        for (int row = 0; row < 12; ++row)
            m_rootNamesAtRefresh[static_cast<size_t>(row)] = grid->text(row, 0).toStdString();
}

int Session::SheetWidth() const { return Control<QScrollArea>("ScrollBoxViolao")->viewport()->width(); }

int Session::NarrowestSheetWidth() const
{
    const TForm1& window = *m_window;
    const int narrowestWindow = std::max(window.minimumWidth(), window.minimumSizeHint().width());
    return SheetWidth() - (window.width() - narrowestWindow);
}

std::optional<std::string> Session::ResizeSheet(int width)
{
    TForm1& window = *m_window;
    // The window cannot be narrower than its controls need.
    const int narrowestSheet = NarrowestSheetWidth();
    if (width < narrowestSheet)
        return "the sheet cannot be narrower than " + std::to_string(narrowestSheet) + ", asked "
            + std::to_string(width);
    // The platform reports the new size through the event loop; the layouts then give the sheet
    // its share, which a second step corrects should the first not be exact.
    for (int step = 0; step < 3 && SheetWidth() != width; ++step) {
        window.resize(window.width() + width - SheetWidth(), window.height());
        QCoreApplication::processEvents();
    }
    if (SheetWidth() != width)
        return "the sheet became " + std::to_string(SheetWidth()) + " wide, asked " + std::to_string(width);
    return std::nullopt;
}

std::optional<std::string> Session::Perform(const nlohmann::json& action)
{
    m_userMoves = 1;
    if (!action.is_array() || action.empty() || !action[0].is_string())
        return "an action is an array that starts with its name";
    const std::string name = action[0].get<std::string>();
    const auto& table = ActionTable();
    const auto found = table.find(name);
    if (found == table.end())
        return "unknown action " + name;
    // A click elsewhere closes a list or menu left open; a key goes to it.
    if (name != "key")
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    const nlohmann::json arguments(action.begin() + 1, action.end());
    std::optional<std::string> answer;
    try {
        answer = found->second(*this, arguments);
    } catch (const BadArguments& bad) {
        answer = name + ": " + bad.what();
    }
    // What the window left for its event loop (painting, layouts) runs before the next action.
    QCoreApplication::processEvents();
    return answer;
}

bool IsKnownAction(const std::string& name) { return ActionTable().contains(name); }

nlohmann::json RunSessionLine(const std::string& line)
{
    using nlohmann::json;
    json input;
    try {
        input = json::parse(line);
    } catch (const json::exception& bad) {
        return { { "error", std::string("bad JSON: ") + bad.what() } };
    }
    if (!input.is_object())
        return { { "error", "a session is a JSON object" } };
    int sheetWidth = 600;
    if (input.contains("sheetWidth")) {
        if (!input["sheetWidth"].is_number_integer() || input["sheetWidth"].get<long long>() < 1
            || input["sheetWidth"].get<long long>() > 100000)
            return { { "error", "sheetWidth must be a positive integer" } };
        sheetWidth = input["sheetWidth"].get<int>();
    }
    const json actions = input.value("actions", json::array());
    if (!actions.is_array())
        return { { "error", "actions must be an array" } };
    for (const json& action : actions) {
        if (!action.is_array() || action.empty() || !action[0].is_string())
            return { { "error", "an action is an array that starts with its name: " + action.dump() } };
        if (!IsKnownAction(action[0].get<std::string>()))
            return { { "error", "unknown action " + action[0].get<std::string>() } };
    }

    std::string error;
    std::unique_ptr<Session> session = Session::Open(sheetWidth, error);
    if (!session)
        return { { "error", error } };
    json answers = json::array();
    for (const json& action : actions) {
        const std::optional<std::string> answer = session->Perform(action);
        answers.push_back(answer ? json { { "error", *answer } } : json(nullptr));
    }
    json answer = session->Snapshot();
    answer["answers"] = std::move(answers);
    return answer;
}

} // namespace corvane::session
