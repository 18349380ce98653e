// The timed half of bench/click_to_sound.sh: clicks the left mouse button through the X server's
// test extension, as a user's click arrives, and plays reference pulses to the sound server between
// the clicks. Prints one line per event, "click NS" or "pulse NS", with the wall-clock time in
// nanoseconds at which it was sent.
//
// A click's time is taken just before its release is sent (the release is what the diagrams answer
// to); the server has handled it when XSync returns, a fraction of a millisecond later. A pulse is a
// step to a fixed level on a playback stream that asks for 1 ms of buffering and is kept fed with
// silence, so that it never runs dry: a stream that runs dry comes back later each time. A pulse
// goes out before the first click, between every two clicks and after the last, so that each click
// has a reference on both sides in the recording.
//
//   click_probe X Y COUNT GAP_MS

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <pthread.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <sched.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr std::int16_t kPulseLevel = 30000;
constexpr int kPulseFrames = kRate / 200; // 5 ms
constexpr int kBlockFrames = 32;

long long WallClockNs()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool ReadInt(const char* text, int lowest, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < lowest || number > 1'000'000)
        return false;
    value = static_cast<int>(number);
    return true;
}

std::mutex g_printMutex;

void PrintEvent(const char* kind, long long ns)
{
    const std::lock_guard lock(g_printMutex);
    std::printf("%s %lld\n", kind, ns);
    std::fflush(stdout);
}

// Writes silence in small blocks for as long as it runs, and a pulse whenever one is asked for.
class ReferenceStream {
public:
    bool open()
    {
        const pa_sample_spec format { PA_SAMPLE_S16LE, kRate, 1 };
        pa_buffer_attr attr {};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(1000, &format));
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        int error = 0;
        m_stream = pa_simple_new(
            nullptr, "click probe", PA_STREAM_PLAYBACK, nullptr, "reference pulses", &format, nullptr, &attr, &error);
        if (!m_stream)
            std::fprintf(stderr, "click_probe: no playback stream: %s\n", pa_strerror(error));
        return m_stream != nullptr;
    }

    void start()
    {
        m_thread = std::thread([this] { run(); });
    }

    void pulse() { m_pulseWanted.store(true); }

    ~ReferenceStream()
    {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
        if (m_stream)
            pa_simple_free(m_stream);
    }

private:
    void run()
    {
        // As the synthesizer's own audio thread runs, where the system allows it.
        sched_param param {};
        param.sched_priority = 60;
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);

        const std::array<std::int16_t, kBlockFrames> silence {};
        const std::vector<std::int16_t> pulse(kPulseFrames, kPulseLevel);
        int error = 0;
        while (!m_stop.load()) {
            if (m_pulseWanted.exchange(false)) {
                PrintEvent("pulse", WallClockNs());
                pa_simple_write(m_stream, pulse.data(), pulse.size() * sizeof pulse[0], &error);
            } else {
                pa_simple_write(m_stream, silence.data(), sizeof silence, &error);
            }
        }
    }

    pa_simple* m_stream = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_pulseWanted { false };
};

} // namespace

int main(int argc, char** argv)
{
    int x = 0;
    int y = 0;
    int count = 0;
    int gapMs = 0;
    if (argc != 5 || !ReadInt(argv[1], 0, x) || !ReadInt(argv[2], 0, y) || !ReadInt(argv[3], 1, count)
        || !ReadInt(argv[4], 200, gapMs)) {
        std::fprintf(stderr, "usage: click_probe X Y COUNT GAP_MS (GAP_MS at least 200)\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "click_probe: cannot open the display\n");
        return 1;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "click_probe: the X server has no test extension\n");
        return 1;
    }
    ReferenceStream reference;
    if (!reference.open())
        return 1;
    reference.start();

    using std::chrono::milliseconds;
    constexpr unsigned kLeftButton = 1;
    // Held down as long as a quick click, so the toolkit sees a press and a release.
    constexpr milliseconds kHeld(30);
    const milliseconds half(gapMs / 2);

    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(half);
    for (int i = 0; i < count; ++i) {
        reference.pulse();
        std::this_thread::sleep_for(half - kHeld);
        XTestFakeButtonEvent(display, kLeftButton, True, CurrentTime);
        XSync(display, False);
        std::this_thread::sleep_for(kHeld);
        const long long released = WallClockNs();
        XTestFakeButtonEvent(display, kLeftButton, False, CurrentTime);
        XSync(display, False);
        PrintEvent("click", released);
        std::this_thread::sleep_for(half);
    }
    reference.pulse();
    std::this_thread::sleep_for(half);
    XCloseDisplay(display);
    return 0;
}
