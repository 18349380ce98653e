#include "toolkit/accessibility.h"

#include "toolkit/result_sheet.h"
#include "toolkit/sheet_accessible.h"

#include <QAccessibleWidget>
#include <QSlider>

#include <utility>

namespace corvane {

namespace {

    constexpr const char* kNoteProperty = "corvaneNoteName";

    // Who hears the events sent through SendAccessibleEvent besides Qt.
    AccessibleEventListener& Listener()
    {
        static AccessibleEventListener listener;
        return listener;
    }

    // A track bar that stands for a note: its value reads as the note's name.
    class NoteBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
    public:
        explicit NoteBarAccessible(QSlider* bar)
            : QAccessibleWidget(bar, QAccessible::Slider)
        {
        }

        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Value)
                return NoteName(bar());
            return QAccessibleWidget::text(t);
        }

        void* interface_cast(QAccessible::InterfaceType type) override
        {
            if (type == QAccessible::ValueInterface)
                return static_cast<QAccessibleValueInterface*>(this);
            return QAccessibleWidget::interface_cast(type);
        }

        QVariant currentValue() const override { return bar()->value(); }
        void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
        QVariant maximumValue() const override { return bar()->maximum(); }
        QVariant minimumValue() const override { return bar()->minimum(); }
        QVariant minimumStepSize() const override { return bar()->singleStep(); }

    private:
        QSlider* bar() const { return static_cast<QSlider*>(widget()); }
    };

    // A window of its own made of a plain widget (the Song and Progression windows) is announced as
    // a window with its title, not as a filler.
    bool IsPlainWindow(const QString& className, QObject* object)
    {
        const QMetaObject* meta = object->metaObject();
        return object->isWidgetType() && static_cast<QWidget*>(object)->isWindow()
            && className == QLatin1StringView(meta->className()) && meta->superClass() == &QWidget::staticMetaObject;
    }

    QAccessibleInterface* Factory(const QString& className, QObject* object)
    {
        if (IsPlainWindow(className, object))
            return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
        if (className == QLatin1StringView(ResultSheet::staticMetaObject.className()))
            if (auto* sheet = qobject_cast<ResultSheet*>(object))
                return new ResultSheetAccessible(sheet);
        if (className == QLatin1StringView("QSlider"))
            if (auto* bar = qobject_cast<QSlider*>(object); bar && bar->property(kNoteProperty).isValid())
                return new NoteBarAccessible(bar);
        return nullptr;
    }

} // namespace

void InstallAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void SetNoteName(QSlider* bar, const QString& note)
{
    if (!bar || NoteName(bar) == note)
        return;
    const bool first = !bar->property(kNoteProperty).isValid();
    bar->setProperty(kNoteProperty, note);
    // An interface made for the bar before it stood for a note reads plain numbers: replace it.
    if (first)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(bar)));
    QAccessibleValueChangeEvent event(bar, bar->value());
    SendAccessibleEvent(&event);
}

QString NoteName(const QSlider* bar) { return bar ? bar->property(kNoteProperty).toString() : QString(); }

void SendAccessibleEvent(QAccessibleEvent* event)
{
    if (Listener())
        Listener()(event);
    QAccessible::updateAccessibility(event);
}

AccessibleEventListener SetAccessibleEventListener(AccessibleEventListener listener)
{
    return std::exchange(Listener(), std::move(listener));
}

} // namespace corvane
