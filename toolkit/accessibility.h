#pragma once
// What Qt's own accessibility does not say about our controls: the result sheet's cells
// (sheet_accessible.h), and the note a tuning bar stands at, which a screen reader reads as the bar's
// value instead of a bare number.

#include <QString>

#include <functional>

class QAccessibleEvent;
class QSlider;

namespace corvane {

// Installs the interfaces once; later calls do nothing.
void InstallAccessibleInterfaces();

// The bar's value as a screen reader reads it: the note name of its position ("E", "Bb"). A bar
// given one keeps it until the next call.
void SetNoteName(QSlider* bar, const QString& note);
QString NoteName(const QSlider* bar);

// Tells a screen reader of a change in our own controls. Qt passes an event on only while a screen
// reader listens; the listener set here (a test's, or a log) hears every event sent this way, whether
// one listens or not. Setting one returns the listener it replaces; an empty one hears nothing.
void SendAccessibleEvent(QAccessibleEvent* event);
using AccessibleEventListener = std::function<void(QAccessibleEvent*)>;
AccessibleEventListener SetAccessibleEventListener(AccessibleEventListener listener);

}
