#pragma once
// The windows created at start-up besides the main window, and the process-wide pointers through
// which the main window's handlers reach them.

#include "windows/about_window.h"
#include "windows/chord_capture_window.h"
#include "windows/midi_window.h"
#include "windows/neck_window.h"

class QWidget;

namespace corvane {

// Set by CreateSecondaryWindows; each goes back to null when its window is destroyed, so that a
// handler running during shutdown finds no window rather than a dangling one.
extern TFormBraco* FormBraco;
extern TFormCifra* FormCifra;
extern TFormMidi* FormMidi;
extern TForm2* Form2;

// Creates the neck, chord capture, MIDI and About windows, in that order, all hidden, as windows of
// their own owned by `mainWindow`, which destroys them with itself. Called once at start-up, after
// the main window exists; a second call replaces the windows of the first.
void CreateSecondaryWindows(QWidget* mainWindow);

} // namespace corvane
