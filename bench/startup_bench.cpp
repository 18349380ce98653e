// Start-up to the first painted main window, and a click on a diagram to its first Note On, with the
// real sound. Prints where the time goes: the application object, the window's construction (with
// the sound started in the background, and for comparison with the synthesizer started before the
// window goes on), the first paint, and on their own the pictures, the sound font and the audio
// output. Then clicks the first diagram and prints the time from the click to the first Note On
// handed to the synthesizer, and what the sound server holds between the synthesizer and the
// speaker (its buffer and the output's latency), read with pactl.
//
//   xvfb-run -a build/bench/startup_bench          (bench/startup.sh runs it with a sound server)
//
// Launched with CORVANE_LAUNCH_NS set to the wall clock in nanoseconds (date +%s%N) it also counts
// the time before main: loading the program and its libraries.

#include "app/main_window.h"
#include "app/sound_after_paint.h"
#include "drawing/qt/picture_store.h"
#include "sound/fluidsynth_port.h"
#include "sound/midi_constants.h"
#include "sound/midi_device.h"
#include "sound/sound_device.h"
#include "toolkit/application.h"
#include "windows/app_windows.h"

#include <QProcess>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>

using namespace corvane;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Milliseconds since the launcher's timestamp, if it gave one.
std::optional<double> SinceLaunch()
{
    const char* launch = std::getenv("CORVANE_LAUNCH_NS");
    if (!launch)
        return std::nullopt;
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long nowNs = static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
    return static_cast<double>(nowNs - std::atoll(launch)) / 1e6;
}

// Passes everything on and notes when the first Note On with a key went out.
class TimingPort final : public MidiPort {
public:
    explicit TimingPort(std::unique_ptr<MidiPort> inner)
        : m_inner(std::move(inner))
    {
    }
    void shortMessage(std::uint32_t message) override
    {
        if (!firstNoteOn && (message & 0xF0u) == midi::kNoteOn && (message >> 16 & 0x7Fu) != 0)
            firstNoteOn = Clock::now();
        m_inner->shortMessage(message);
    }
    void setVolume(std::uint32_t volume) override { m_inner->setVolume(volume); }
    void pause(int milliseconds) override { m_inner->pause(milliseconds); }
    void watchStatus(StatusListener listener) override { m_inner->watchStatus(std::move(listener)); }
    MidiPort& inner() { return *m_inner; }

    std::optional<Clock::time_point> firstNoteOn;

private:
    std::unique_ptr<MidiPort> m_inner;
};

// Shows the window and returns when its first paint has been handed to the window system.
Clock::duration ShowAndPaint(TForm1& window, SoundAfterPaint& sound)
{
    const Clock::time_point start = Clock::now();
    bool painted = false;
    struct PaintWatch final : QObject {
        bool* painted;
        explicit PaintWatch(bool* p)
            : painted(p)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            // Queued behind the paint, so it runs once the frame has gone out.
            if (event->type() == QEvent::Paint && !*painted)
                QTimer::singleShot(0, this, [this] { *painted = true; });
            return false;
        }
    } watch(&painted);
    window.installEventFilter(&watch);
    window.showMaximized();
    sound.startAfterFirstPaint(&window);
    if (!QTest::qWaitFor([&painted] { return painted; }, 10000))
        std::fprintf(stderr, "the window was not painted\n");
    window.removeEventFilter(&watch);
    return Clock::now() - start;
}

void PrintServerLatency()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), { QStringLiteral("list"), QStringLiteral("sink-inputs") });
    if (!pactl.waitForFinished(3000) || pactl.exitCode() != 0) {
        std::printf("  (no sound server to ask: pactl list sink-inputs failed)\n");
        return;
    }
    for (const QByteArray& line : pactl.readAllStandardOutput().split('\n')) {
        const QByteArray t = line.trimmed();
        if (t.startsWith("Buffer Latency") || t.startsWith("Sink Latency") || t.startsWith("application.name")
            || t.startsWith("media.name") || t.startsWith("media.role"))
            std::printf("  server: %s\n", t.constData());
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<double> beforeMain = SinceLaunch();
    const Clock::time_point t0 = Clock::now();
    Application application(argc, argv);
    const Clock::time_point tApp = Clock::now();

    // With CORVANE_COLD_PARTS set, the parts are timed first, cold, and the window after them.
    if (std::getenv("CORVANE_COLD_PARTS")) {
        Clock::time_point a = Clock::now();
        const PictureStore pictures(1.0);
        std::printf("  cold: rendering every picture       %7.1f ms\n", Ms(Clock::now() - a));
        a = Clock::now();
        TForm1 silent([](int) { return std::make_unique<SilentPort>(); });
        std::printf("  cold: main window without sound     %7.1f ms\n", Ms(Clock::now() - a));
        a = Clock::now();
        TForm1 again([](int) { return std::make_unique<SilentPort>(); });
        std::printf("  warm: main window without sound     %7.1f ms\n", Ms(Clock::now() - a));
    }
    // The sound as the program opens it: started after the first paint.
    TimingPort* timing = nullptr;
    SoundAfterPaint sound;
    auto window = std::make_unique<TForm1>([&timing, open = sound.factory()](int device) -> std::unique_ptr<MidiPort> {
        auto port = std::make_unique<TimingPort>(open(device));
        timing = port.get();
        return port;
    });
    const Clock::time_point tMain = Clock::now();
    CreateSecondaryWindows(window.get());
    const Clock::time_point tWindow = Clock::now();
    const Clock::duration paint = ShowAndPaint(*window, sound);
    const Clock::time_point tPainted = Clock::now();
    const std::optional<double> sinceLaunch = SinceLaunch();

    auto* device = timing ? dynamic_cast<SoundDevice*>(&timing->inner()) : nullptr;
    const bool started = device && device->waitUntilStarted(std::chrono::seconds(20));
    const Clock::time_point tSound = Clock::now();

    std::printf("Start-up to the first painted window\n");
    if (beforeMain)
        std::printf("  before main (loading the program)   %7.1f ms\n", *beforeMain);
    std::printf("  application object                  %7.1f ms\n", Ms(tApp - t0));
    std::printf("  main window                         %7.1f ms\n", Ms(tMain - tApp));
    std::printf("  hidden windows                      %7.1f ms\n", Ms(tWindow - tMain));
    std::printf("  show and first paint                %7.1f ms\n", Ms(paint));
    std::printf("  main to first paint                 %7.1f ms\n", Ms(tPainted - t0));
    if (sinceLaunch)
        std::printf("  launch to first paint               %7.1f ms\n", *sinceLaunch);
    std::printf("  sound ready (after the first paint) %7.1f ms after main: %s%s\n", Ms(tSound - t0),
        started ? (device->status().empty() ? "on, " : device->status().c_str()) : "not started",
        started ? device->soundFont().c_str() : "");

    std::printf("Parts, timed on their own\n");
    {
        const Clock::time_point a = Clock::now();
        const PictureStore pictures(window->devicePixelRatioF());
        std::printf("  rendering every picture             %7.1f ms\n", Ms(Clock::now() - a));
    }
    {
        const Clock::time_point a = Clock::now();
        StartedSound sound = StartSynthesizer({});
        std::printf("  sound font and audio output         %7.1f ms (%s)\n", Ms(Clock::now() - a),
            sound.port ? sound.soundFont.c_str() : sound.status.c_str());
    }
    {
        const Clock::time_point a = Clock::now();
        TForm1 silent([](int) { return std::make_unique<SilentPort>(); });
        std::printf("  main window without sound           %7.1f ms\n", Ms(Clock::now() - a));
    }
    {
        // What start-up cost when the window waited for the synthesizer.
        const Clock::time_point a = Clock::now();
        TForm1 waiting([](int) -> std::unique_ptr<MidiPort> {
            StartedSound sound = StartSynthesizer({});
            if (sound.port)
                return std::move(sound.port);
            return std::make_unique<SilentPort>();
        });
        std::printf("  main window waiting for the sound   %7.1f ms\n", Ms(Clock::now() - a));
    }

    std::printf("Click to first sound\n");
    QWidget* sheet = window->findChild<QWidget*>(QStringLiteral("Image1"));
    if (sheet && timing) {
        for (int round = 0; round < 3; ++round) {
            timing->firstNoteOn.reset();
            const Clock::time_point click = Clock::now();
            QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(50 + 100 * round, 65));
            if (timing->firstNoteOn)
                std::printf("  click to first Note On sent         %7.2f ms\n", Ms(*timing->firstNoteOn - click));
            QTest::qWait(1000);
        }
        const int frames = AudioBuffering {}.periodSize;
        std::printf("  the synthesizer renders a Note On within one period of %d frames (%.2f ms)\n", frames,
            frames * 1000.0 / 44100);
        PrintServerLatency();
    }
    return 0;
}
