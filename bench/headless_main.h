#pragma once
// The main of the benchmarks that draw: a Qt application on the offscreen platform, then the runs.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

namespace corvane {

// `Application` is QGuiApplication for drawing alone, QApplication where widgets are measured.
template <typename Application> int RunHeadlessBenchmarks(int argc, char** argv)
{
    // Fonts need a platform; never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace corvane
