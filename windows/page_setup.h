#pragma once
// The page-setup dialog of the printer support. Nothing in the program prints; the main window
// keeps ConfigurarImpressora1Click, which only calls this, for a later print command.

class QWidget;

namespace corvane {

// Runs the page-setup dialog for the default printer, modal over `owner`, and destroys it when the
// user closes it. The choices made in it are not kept.
void RunPageSetupDialog(QWidget* owner);

} // namespace corvane
