// The test programs' entry: the application object the widgets need, on the offscreen platform
// unless the caller chose another, and an exception report that records instead of opening a box.

#include "gui_test_support.h"
#include "toolkit/application.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
// The offscreen platform warns at every window shown that it cannot pass size hints on.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1StringView("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::Application application(argc, argv);
    corvane::Application::setExceptionReporter([](const QString& message) {
        corvane::test::ReportedExceptions().push_back(message);
        std::fprintf(stderr, "exception reported: %s\n", qPrintable(message));
    });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
