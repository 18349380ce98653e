// The neck as a place to play: a click puts a finger on a string or takes it off, and the window names
// what the hand now holds. The capo: the search, the neck and the strum count frets from it.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "drawing/canvas.h"
#include "drawing/neck_view.h"
#include "drawing/strings_neck.h"
#include "guitar/instrument_identify.h"
#include "sound/midi_player.h"
#include "theory/best_name.h"
#include "theory/notation.h"
#include "theory/notes.h"
#include "toolkit/neck_image.h"
#include "toolkit/text_grid.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>

namespace corvane {

namespace {

    constexpr int kNoNameShownMs = 5000;

    NeckPicture ShownNeck(const Ui::TForm1& ui)
    {
        return ui.SpeedButton11->isChecked() ? NeckPicture::Electric : NeckPicture::Classic;
    }

} // namespace

int TForm1::capo() const { return ui->SpinEditCapo->value(); }

void TForm1::ConnectIdentifyHandlers()
{
    connect(ui->Image2, &NeckImage::clicked, this, &TForm1::Image2Click);
    connect(ui->SpeedButtonFind, &QToolButton::clicked, this, &TForm1::SpeedButtonFindClick);
    connect(ui->SpinEditCapo, &QSpinBox::valueChanged, this, &TForm1::SpinEditCapoChange);
    connect(ui->Edit1, &QLineEdit::returnPressed, this, &TForm1::Edit1Enter);

    // "Find" types a name of the list: with no name there is nothing to find.
    QAbstractItemModel* names = ui->ListBox1->model();
    const auto followNames = [this] { ui->SpeedButtonFind->setEnabled(ui->ListBox1->count() > 0); };
    connect(names, &QAbstractItemModel::rowsInserted, this, followNames);
    connect(names, &QAbstractItemModel::rowsRemoved, this, followNames);
    connect(names, &QAbstractItemModel::modelReset, this, followNames);
    followNames();
}

// A click on the neck changes one string, then names, shows and strums the new fingering.
void TForm1::Image2Click(QPoint position)
{
    const std::optional<NeckSpot> spot = StringsNeckSpotAt(position.x(), position.y(), ui->Image2->geometry(), capo());
    if (!spot)
        return;
    const StringFingering toggled = ToggleAtStrings(m_neckFingering, *spot);
    PlayOnNeck(toggled, Identify(toggled));
}

// Frets typed into the Formation box and Enter: what a hand put there on the neck. Text that cannot
// be read, or frets the neck does not have above the capo, change nothing and say why.
void TForm1::Edit1Enter()
{
    const StringFretsReading reading = ReadPlayedFretsOn(ui->Edit1->text().toStdString(), PlayedStrings());
    if (!reading.fingering) {
        ui->StatusBar1->showMessage(QString::fromStdString(reading.error), kNoNameShownMs);
        return;
    }
    Identification named = Identify(*reading.fingering);
    if (!named.error.empty()) {
        ui->StatusBar1->showMessage(QString::fromStdString(named.error), kNoNameShownMs);
        return;
    }
    PlayOnNeck(*reading.fingering, named);
}

Identification TForm1::Identify(const StringFingering& fingering) const
{
    return IdentifyPlayed(fingering, PlayedStrings(), capo(), RootGridNames());
}

// The fingering goes on the neck, into the Formation box and the names list, and is strummed. The
// names list is emptied row by row, not reset: that is the refresh's mark, and this is no refresh.
void TForm1::PlayOnNeck(const StringFingering& fingering, const Identification& named)
{
    m_neckFingering = fingering;
    m_played = FretsOfFingering(fingering);
    ui->Edit1->setText(FormationText(m_played));

    // The names in the chosen notation, one per root; "Find" reads them in the program's own.
    m_partsNames = named.names;
    const PitchClass bass = named.bass.value_or(kNoPitch);
    const std::array<std::string, 12> rootNames = RootGridNames();
    const std::vector<std::string> names
        = NamesIn(named.names, named.chordTones, bass, rootNames, namesNotation(), std::nullopt);
    QListWidget* list = ui->ListBox1;
    list->model()->removeRows(0, list->count());
    for (const std::string& name : names)
        list->addItem(QString::fromStdString(name));
    m_namesBass = named.bass ? ui->StringGridAcorde->text(*named.bass, 0).toStdString() : std::string();
    // The list keeps its order; the name a guitarist says is its current item, where the eye finds it.
    if (!names.empty() && !named.namesBestFirst.empty()) {
        const std::string said = ListedNameIn(named.names, named.namesBestFirst.front(), named.chordTones, bass,
            rootNames, namesNotation(), std::nullopt);
        const auto best = std::find(names.begin(), names.end(), said);
        if (best != names.end()) {
            QListWidgetItem* item = list->item(static_cast<int>(best - names.begin()));
            list->setCurrentItem(item);
            list->scrollToItem(item);
        }
    }
    if (named.names.empty())
        ui->StatusBar1->showMessage(
            QString::fromStdString(named.error.empty() ? named.noName : named.error), kNoNameShownMs);
    else
        ui->StatusBar1->clearMessage();

    ShowNeckFingering();
    PlayStrings(*m_midi, m_played, m_openStrings, capo(), ui->TrackBarTempoAcorde->value());
}

// The name a guitarist says, written with its bass where it has one ("C/E") in the words the name box
// reads, typed into the box and searched as if Enter had been pressed there.
void TForm1::SpeedButtonFindClick()
{
    if (ui->ListBox1->count() == 0 || m_partsNames.empty())
        return;
    ui->EditAcorde->setText(QString::fromStdString(BoxName(BestName(m_partsNames, m_namesBass))));
    m_boxWordsHandedOver = true;
    SpeedButton2Click();
    m_boxWordsHandedOver = false;
}

// The capo moves the frets the neck shows with it, then the search runs again from it.
void TForm1::SpinEditCapoChange(int)
{
    ShowNeckFingering();
    RefreshResults();
}

// The diagram clicked last keeps its barre on the neck; a fingering played on the neck has none. The
// neck control keeps the capo and the fingering for its keyboard spot and what it tells a screen
// reader; the drawing shows them, on the photograph or on the drawn neck.
void TForm1::ShowNeckFingering()
{
    const Frets frets = FingeringOfFrets(m_played) == m_neckFingering ? m_played : FretsOfFingering(m_neckFingering);
    ui->Image2->setCapo(capo());
    ui->Image2->setFingering(m_neckFingering);
    if (m_instrument->neckPhotos)
        ui->Image2->draw([frets = VoicingOfFrets(frets), neck = ShownNeck(*ui), capo = capo()](
                             Canvas& canvas) { DrawNeck(canvas, frets, neck, capo); });
    else
        ui->Image2->draw([neck = ui->Image2->geometry(), frets, capo = capo(), names = OpenStringNames()](
                             Canvas& canvas) { DrawStringsNeck(canvas, neck, frets, capo, names); });
}

// The note names of the open strings, lowest first, as the tuning labels write them.
std::vector<std::string> TForm1::OpenStringNames() const
{
    std::vector<std::string> names;
    for (int note : m_openStrings.Notes())
        names.emplace_back(kNoteNames[static_cast<size_t>((note % 12 + 12) % 12)]);
    return names;
}

// A new neck shows no fingering; the capo stays on it.
void TForm1::ShowBareNeck(NeckPicture neck)
{
    m_neckFingering.assign(static_cast<size_t>(m_openStrings.count), kFingeringMuted);
    if (!m_instrument->neckPhotos) {
        ShowNeckFingering();
        return;
    }
    ui->Image2->setCapo(capo());
    ui->Image2->setFingering(m_neckFingering);
    ui->Image2->draw(
        [capo = capo(), neck](Canvas& canvas) { DrawNeck(canvas, VoicingOfFingering(kAllMuted), neck, capo); });
}

// "Capo k" just after the count, on its own label; the count keeps showing the number alone.
void TForm1::ShowCapoCount()
{
    QLabel* shown = ui->LabelCapoShown;
    const int k = capo();
    shown->setText(k > 0 ? QStringLiteral("Capo %1").arg(k) : QString());
    const QFontMetrics count(ui->LabelTotal->font());
    shown->adjustSize();
    shown->move(ui->LabelTotal->x() + count.horizontalAdvance(ui->LabelTotal->text()) + 8, ui->LabelTotal->y());
    shown->raise();
}

} // namespace corvane
