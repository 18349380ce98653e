#include "app/sound_after_paint.h"

#include "sound/midi_constants.h"
#include "sound/midi_device.h"
#include "sound/sound_device.h"

#include <QEvent>
#include <QTimer>

namespace corvane {

namespace {

    // Lives as the window's child, so it goes with the window if that closes before painting.
    class FirstPaintWatch final : public QObject {
    public:
        FirstPaintWatch(QWidget* window, SoundDevice* device)
            : QObject(window)
            , device_(device)
        {
            window->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !seen_) {
                seen_ = true;
                watched->removeEventFilter(this);
                // Queued behind the paint, so the frame goes out first.
                QTimer::singleShot(0, this, [this] {
                    device_->start();
                    deleteLater();
                });
            }
            return false;
        }

    private:
        SoundDevice* device_;
        bool seen_ = false;
    };

} // namespace

TForm1::MidiDeviceFactory SoundAfterPaint::factory()
{
    return [this](int deviceId) -> std::unique_ptr<MidiPort> {
        if (deviceId != midi::kDefaultDevice)
            return OpenMidiDevice(deviceId);
        auto device = std::make_unique<SoundDevice>(chosenSoundFont_, StartSynthesizer, SoundStart::WhenAsked);
        device_ = device.get();
        return device;
    };
}

void SoundAfterPaint::startAfterFirstPaint(QWidget* window)
{
    if (device_)
        new FirstPaintWatch(window, device_);
}

} // namespace corvane
