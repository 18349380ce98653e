// From a change of the chord to the painted sheet, on the real main window, headless: the refresh
// (search, sort, names, hand-over to the sheet) and one paint of the part of the sheet in view, in a
// 1600 x 900 window; and from a click on the neck to the painted neck and names list. Before the timings it prints the
// window's memory at start-up, with the largest result, and after scrolling through the whole of that sheet.
//
// The largest result known: root F#, bass G, intervals 00 04 07 08 01, "G Minor Tunning", up to fret
// 24, "(omit5)".

#include "app/main_window.h"
#include "toolkit/application.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace corvane;

namespace {

constexpr QSize kWindowSize(1600, 900);

// Resident and peak resident memory of the process, in kB.
struct Memory {
    long rss = 0;
    long peak = 0;
};

Memory ReadMemory()
{
    Memory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const auto value = [&line] { return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLong(); };
        if (line.startsWith("VmRSS:"))
            memory.rss = value();
        else if (line.startsWith("VmHWM:"))
            memory.peak = value();
    }
    return memory;
}

std::unique_ptr<TForm1> OpenWindow()
{
    auto window = std::make_unique<TForm1>([](int) { return std::make_unique<SilentPort>(); });
    window->resize(kWindowSize);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        std::fprintf(stderr, "the window was not shown\n");
    QApplication::processEvents();
    return window;
}

template <typename T> T* Control(const TForm1& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Sets the largest case up through the controls, as a user would.
void ChooseLargestCase(TForm1& window)
{
    Control<QAction>(window, "Afinaoemsolmenor1")->trigger();
    auto* upTo = Control<ChoiceBox>(window, "ComboBox1");
    upTo->setCurrentIndex(2);
    QTest::keyClick(upTo, Qt::Key_Down); // "24"
    QTest::mouseClick(Control<QCheckBox>(window, "CheckBoxOmit5"), Qt::LeftButton);
    Control<TextGrid>(window, "StringGridAcorde")->setCurrentCell(6, 0); // F#
    auto* extensions = Control<CheckList>(window, "CheckListBox1");
    for (const int item : { 12, 17 }) { // "6-" adds 08, "9-" adds 01
        extensions->setCurrentRow(item);
        QTest::keyClick(extensions, Qt::Key_Space);
    }
    Control<TextGrid>(window, "StringGridBaixo")->setCurrentCell(7, 0); // G
}

// One paint of what the scroll box shows, into an image of the view's size.
void PaintVisible(const TForm1& window, QImage& target)
{
    auto* box = Control<QScrollArea>(window, "ScrollBoxViolao");
    auto* sheet = Control<ResultSheet>(window, "Image1");
    const QRect visible(0, box->verticalScrollBar()->value(), box->viewport()->width(), box->viewport()->height());
    sheet->render(&target, QPoint(), QRegion(visible));
}

void RefreshAndPaint(benchmark::State& state, bool largest, const char* instrument = "guitar")
{
    auto window = OpenWindow();
    if (largest)
        ChooseLargestCase(*window);
    window->ChooseInstrument(instrument);
    auto* box = Control<QScrollArea>(*window, "ScrollBoxViolao");
    QImage target(box->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window->RefreshResults();
        PaintVisible(*window, target);
    }
    state.counters["records"] = static_cast<double>(window->records().size());
    state.counters["view_width"] = box->viewport()->width();
    state.counters["view_height"] = box->viewport()->height();
}

void CMajorRefreshAndPaint(benchmark::State& state) { RefreshAndPaint(state, false); }
void LargestRefreshAndPaint(benchmark::State& state) { RefreshAndPaint(state, true); }

// Other instruments: C major on the ukulele, and the largest case's chord and options on the 7-string
// guitar in its own tuning.
void UkuleleRefreshAndPaint(benchmark::State& state) { RefreshAndPaint(state, false, "ukulele"); }
void SevenStringLargestRefreshAndPaint(benchmark::State& state) { RefreshAndPaint(state, true, "7-string-guitar"); }

BENCHMARK(CMajorRefreshAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(LargestRefreshAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(UkuleleRefreshAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(SevenStringLargestRefreshAndPaint)->Unit(benchmark::kMillisecond);

// A click on the neck, from the mouse event to the painted neck and names list: the toggle, the
// naming, the Formation box, the drawing and the strum's hand-over to the port, then one paint of the
// neck and of the names list. The click puts a finger on the open C's B string and takes it off again.
void NeckClickAndPaint(benchmark::State& state)
{
    auto window = OpenWindow();
    auto* neck = Control<QWidget>(*window, "Image2");
    auto* names = Control<QWidget>(*window, "ListBox1");
    for (const QPoint spot : { QPoint(134, 62), QPoint(93, 48), QPoint(4, 34), QPoint(4, 7) })
        QTest::mouseClick(neck, Qt::LeftButton, {}, spot);
    QImage neckImage(neck->size(), QImage::Format_ARGB32_Premultiplied);
    QImage namesImage(names->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QTest::mouseClick(neck, Qt::LeftButton, {}, QPoint(50, 20));
        neck->render(&neckImage);
        names->render(&namesImage);
    }
}

BENCHMARK(NeckClickAndPaint)->Unit(benchmark::kMillisecond);

void PrintMemory(const char* when, const Memory& memory, const Memory& start)
{
    std::printf("%-44s VmRSS %7ld kB (%+6ld kB)   VmHWM %7ld kB (%+6ld kB)\n", when, memory.rss, memory.rss - start.rss,
        memory.peak, memory.peak - start.peak);
}

void MeasureMemory()
{
    auto window = OpenWindow();
    auto* box = Control<QScrollArea>(*window, "ScrollBoxViolao");
    QImage target(box->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    PaintVisible(*window, target);
    const Memory start = ReadMemory();
    PrintMemory("window at start-up (C major)", start, start);

    ChooseLargestCase(*window);
    PaintVisible(*window, target);
    QApplication::processEvents();
    std::printf("largest case: note list \"%s\", %zu records\n", window->noteList().c_str(), window->records().size());
    PrintMemory("with the largest result", ReadMemory(), start);

    QScrollBar* bar = box->verticalScrollBar();
    for (int value = 0; value <= bar->maximum(); value += box->viewport()->height()) {
        bar->setValue(value);
        PaintVisible(*window, target);
        QApplication::processEvents();
    }
    PrintMemory("after scrolling through the whole sheet", ReadMemory(), start);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    MeasureMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
