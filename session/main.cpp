// corvane-session: drives the real main window headless. Without options it reads one session per
// line from the standard input and writes one answer per line; with --monkey it performs random
// actions and checks the window after each one.

#include "session/monkey.h"
#include "session/session.h"
#include "toolkit/application.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Qt's own notes go to the error output, less those the offscreen platform and synthetic input give
// at every step; the standard output carries the answers only.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    for (const char* routine : { "propagateSizeHints", "not accepted by receiving widget", "does not support raise",
             "does not support grabbing" })
        if (message.contains(QLatin1StringView(routine)))
            return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App cli { "Drives the main window of Corvane Chords through user input, headless." };
    long monkeySteps = 0;
    std::uint64_t seed = 1;
    cli.add_option("--monkey", monkeySteps, "perform this many random user actions and check the window after each")
        ->check(CLI::NonNegativeNumber);
    cli.add_option("--seed", seed, "the seed of the random actions");
    std::string settingsFile;
    cli.add_option("--settings", settingsFile,
        "a scratch settings file (INI) the windows read, and write when closed or restarted; none by default");
    CLI11_PARSE(cli, argc, argv);

    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    corvane::Application application(qtArgc, argv);

    corvane::session::SetSettingsFile(settingsFile);
    if (monkeySteps > 0)
        return corvane::session::RunMonkey(monkeySteps, seed, std::cout, std::cerr);

    std::string line;
    while (std::getline(std::cin, line)) {
        const nlohmann::json answer = corvane::session::RunSessionLine(line);
        std::cout << answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n' << std::flush;
    }
    return 0;
}
