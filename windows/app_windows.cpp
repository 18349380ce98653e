#include "windows/app_windows.h"

#include <QObject>

namespace corvane {

TFormBraco* FormBraco = nullptr;
TFormCifra* FormCifra = nullptr;
TFormMidi* FormMidi = nullptr;
TForm2* Form2 = nullptr;

namespace {

    template <typename Window> void Keep(Window*& pointer, Window* window)
    {
        pointer = window;
        QObject::connect(window, &QObject::destroyed, window, [&pointer, window] {
            if (pointer == window)
                pointer = nullptr;
        });
    }

} // namespace

void CreateSecondaryWindows(QWidget* mainWindow)
{
    delete Form2;
    delete FormMidi;
    delete FormCifra;
    delete FormBraco;

    Keep(FormBraco, new TFormBraco(mainWindow));
    Keep(FormCifra, new TFormCifra(mainWindow));
    Keep(FormMidi, new TFormMidi(mainWindow));
    Keep(Form2, new TForm2(mainWindow));
}

} // namespace corvane
