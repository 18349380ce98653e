#include "app/main_window.h"

#include "ui_main_window.h"

#include "app/kept_settings.h"

#include "drawing/canvas.h"
#include "drawing/neck_view.h"
#include "drawing/qt/picture_store.h"
#include "guitar/refresh.h"
#include "sound/midi_constants.h"
#include "sound/midi_device.h"
#include "sound/midi_player.h"
#include "sound/patch_table.h"
#include "theory/catalogue.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"
#include "theory/notes.h"
#include "toolkit/button_groups.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/neck_image.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"
#include "windows/app_windows.h"
#include "windows/notation_window.h"
#include "windows/page_setup.h"
#include "windows/progression_window.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QWindow>

#include <algorithm>

namespace corvane {

namespace {

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    // The five rows that change with the spelling.
    constexpr std::array<int, 5> kBlackKeyRows { 1, 3, 6, 8, 10 };

    constexpr int kFormationLength = 20;

    // A status-bar panel of a given width that gives way when the window is made narrower.
    class StatusPanel final : public QLabel {
    public:
        StatusPanel(int width, QWidget* parent)
            : QLabel(parent)
            , m_width(width)
        {
            setFrameShape(QFrame::StyledPanel);
        }
        QSize sizeHint() const override { return { m_width, QLabel::sizeHint().height() }; }
        QSize minimumSizeHint() const override { return { 0, QLabel::minimumSizeHint().height() }; }

    private:
        int m_width;
    };

} // namespace

// The "Formation:" box: the fingering cut after 20 characters, muted strings as X, barre marks
// as plain frets.
QString FormationText(const Frets& frets)
{
    if (frets.count != kStrings) {
        QStringList values;
        for (const int fret : FingeringOfFrets(frets))
            values << (fret < 0 ? QStringLiteral("X") : QString::number(fret));
        return values.join(QLatin1Char(' '));
    }
    QString shown = Text(std::string_view(FretsText(frets)).substr(0, kFormationLength));
    shown.replace(QStringLiteral("99"), QStringLiteral("X"));
    shown.remove(QLatin1Char('-'));
    return shown;
}

TForm1::TForm1(MidiDeviceFactory openMidiDevice, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TForm1>())
    , m_openMidiDevice(std::move(openMidiDevice))
{
    ui->setupUi(this);
    SetUpControls();
    FormCreate();
    ConnectHandlers();
    SetUpInstrument();
    SetUpKeyboardAndReader();
    AddSettingsItems();
}

TForm1::~TForm1()
{
    // The names list's model reports its own reset while the controls are taken down; the window's
    // handlers must not hear it, since the controls they read are already gone.
    ui->ListBox1->model()->disconnect(this);
}

// What the layout file cannot say: the pictures at the screen's pixel ratio, the tuning menu, the
// button groups, sizes that depend on other controls.
void TForm1::SetUpControls()
{
    LoadPictures(devicePixelRatioF());
    setWindowIcon(PictureStore::applicationIcon());

    QPalette white = ui->ScrollBoxViolao->palette();
    white.setColor(QPalette::Window, Qt::white);
    ui->ScrollBoxViolao->setPalette(white);
    ui->ScrollBoxViolao->viewport()->setPalette(white);
    ui->ScrollBoxViolao->viewport()->setAutoFillBackground(true);
    ui->ScrollBoxViolao->verticalScrollBar()->setSingleStep(20);

    ui->Splitter3->setSizes({ 251, 400 });
    ui->Splitter3->setStretchFactor(0, 0);
    ui->Splitter3->setStretchFactor(1, 1);
    ui->Splitter2->setSizes({ 400, 220 });
    ui->Splitter2->setStretchFactor(0, 1);
    ui->Splitter2->setStretchFactor(1, 0);

    ui->StringGrid1->setColumnWidth(0, 64);
    ui->StringGrid1->setColumnWidth(1, 2);
    ui->StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (TextGrid* grid : { ui->StringGridAcorde, ui->StringGridBaixo }) {
        grid->setColumnWidth(0, grid->width() - 2 * grid->frameWidth());
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    ui->CheckListBox1->setItemHeight(14);
    // The count follows its caption, whatever width the desktop font gives the caption.
    ui->Label5->adjustSize();
    ui->LabelTotal->move(ui->Label5->geometry().right() + 6, ui->LabelTotal->y());
    ui->LabelTotal->resize(ui->PanelInfo->width() - ui->LabelTotal->x() - 2, ui->LabelTotal->height());
    // The control strip's panels stand at fixed places; the window may not be made so narrow that
    // the last of them is cut.
    int stripRight = 0;
    for (QWidget* panel : ui->PanelBraco->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!panel->isHidden())
            stripRight = std::max(stripRight, panel->geometry().right() + 1);
    ui->PanelBraco->setMinimumWidth(stripRight + ui->PanelInfo->x());

    QPalette patchColour = ui->ComboBoxPatch->palette();
    patchColour.setColor(QPalette::Base, QColor(207, 208, 214));
    patchColour.setColor(QPalette::Button, QColor(207, 208, 214));
    ui->ComboBoxPatch->setPalette(patchColour);
    for (const Patch& patch : kPatches)
        ui->ComboBoxPatch->addItem(Text(patch.itemText));
    ui->ComboBoxPatch->setCurrentIndex(0);

    // The twelve presets: radio items of one group, told apart by their tag.
    m_tuningMenu = new QMenu(this);
    m_tuningMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_tuningItems = new QActionGroup(m_tuningMenu);
    m_tuningItems->setExclusive(true);
    FillTuningMenu(SixStringGuitar(), 0);
    MakeDropDownButton(ui->ToolButton5, m_tuningMenu, Text(kTuningPresets[0].buttonCaption),
        QIcon(m_pictures->pixmap(Artwork::Tuning)));
    QPalette face = ui->EditAcorde->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    ui->EditAcorde->setPalette(face);
    m_trackBars = { ui->TrackBar1, ui->TrackBar2, ui->TrackBar3, ui->TrackBar4, ui->TrackBar5, ui->TrackBar6 };

    MakeExclusiveGroup(this, { ui->SpeedButton5, ui->SpeedButton6 }, ui->SpeedButton5);
    MakeExclusiveGroup(this, { ui->SpeedButton7, ui->SpeedButton8 }, ui->SpeedButton7);
    MakeExclusiveGroup(this, { ui->SpeedButton10, ui->SpeedButton9 }, ui->SpeedButton10);
    MakeExclusiveGroup(this, { ui->SpeedButton11, ui->SpeedButton12 }, ui->SpeedButton12);

    for (const int width : { 200, 50, 50 })
        ui->StatusBar1->addWidget(new StatusPanel(width, ui->StatusBar1));
    // A panel like the others: a long unread text is cut off rather than widening the window.
    m_nameProblem = new StatusPanel(300, ui->StatusBar1);
    m_nameProblem->setObjectName(QStringLiteral("LabelNameProblem"));
    ui->StatusBar1->addPermanentWidget(m_nameProblem);

    SetUpExport();
    SetUpNotationMenu();
}

// The pictures are rendered for the pixel ratio of the screen the window is on.
void TForm1::LoadPictures(qreal devicePixelRatio)
{
    m_pictures = std::make_unique<PictureStore>(devicePixelRatio);
    ui->Image3->setPixmap(m_pictures->pixmap(Artwork::Banner));
    ui->SpeedButton2->setIcon(m_pictures->pixmap(Artwork::Magnifier));
    ui->ToolButton5->setIcon(m_pictures->pixmap(Artwork::Tuning));
    const std::array<std::pair<QLabel*, Picture>, 19> holders { {
        { ui->ImageBracoEletrico, Picture::NeckClassic },
        { ui->Image5, Picture::NeckElectric },
        { ui->Image4, Picture::NeckBrown },
        { ui->d0, Picture::NeckOpenString },
        { ui->d1, Picture::NeckFinger1 },
        { ui->d2, Picture::NeckFinger2 },
        { ui->d3, Picture::NeckFinger3 },
        { ui->d4, Picture::NeckFinger4 },
        { ui->dedo1, Picture::Finger1 },
        { ui->dedo2, Picture::Finger2 },
        { ui->dedo3, Picture::Finger3 },
        { ui->dedo4, Picture::Finger4 },
        { ui->dedo5, Picture::Finger5 },
        { ui->dedo6, Picture::BarreSegment },
        { ui->braco, Picture::DiagramGrid },
        { ui->braco2, Picture::SelectedGrid },
        { ui->omin1, Picture::BassStringMark },
        { ui->omin2, Picture::SoundingStringMark },
        { ui->x, Picture::MutedStringMark },
    } };
    for (const auto& [label, picture] : holders)
        label->setPixmap(m_pictures->pixmap(picture));
    ui->Image1->setPictures(m_pictures.get());
    ui->Image2->setPictures(m_pictures.get());
}

// Moved to a screen of another pixel ratio, the window renders its pictures again so that they stay
// sharp. The neck keeps its drawing, scaled, until it is next drawn.
void TForm1::ScreenChanged()
{
    if (!qFuzzyCompare(m_pictures->devicePixelRatio(), devicePixelRatioF()))
        LoadPictures(devicePixelRatioF());
}

// The handlers are connected after FormCreate, which sets the controls' start values.
void TForm1::ConnectHandlers()
{
    connect(ui->StringGridAcorde, &TextGrid::selectCell, this, &TForm1::StringGridAcordeSelectCell);
    connect(ui->StringGridBaixo, &TextGrid::selectCell, this, &TForm1::StringGridBaixoSelectCell);
    connect(ui->StringGrid1, &TextGrid::selectCell, this, &TForm1::StringGrid1SelectCell);
    connect(ui->CheckListBox1, &CheckList::clickCheck, this, &TForm1::CheckListBox1ClickCheck);
    connect(ui->SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(ui->SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(ui->SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(ui->SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(ui->SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(ui->SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(ui->EditAcorde, &QLineEdit::returnPressed, this, &TForm1::SpeedButton2Click);

    for (QSlider* bar : m_trackBars)
        connect(bar, &QSlider::valueChanged, this, &TForm1::TrackBarChange);
    connect(ui->ToolButton5, &QToolButton::clicked, this, &TForm1::ToolButton5Click);
    connect(m_tuningItems, &QActionGroup::triggered, this, &TForm1::StandardTunning1Click);

    connect(ui->ComboBox1, &ChoiceBox::changed, this, &TForm1::ComboBox1Change);
    connect(ui->ComboBox2, &ChoiceBox::changed, this, &TForm1::ComboBox2Change);
    connect(ui->CheckBoxOmit3, &QCheckBox::clicked, this, &TForm1::CheckBoxOmit3Click);
    connect(ui->CheckBoxOmit5, &QCheckBox::clicked, this, &TForm1::CheckBoxOmit5Click);
    connect(ui->CheckBoxCanhoto, &QCheckBox::clicked, this, &TForm1::CheckBoxCanhotoClick);
    connect(ui->CheckBoxPestanas, &QCheckBox::clicked, this, &TForm1::CheckBoxPestanasClick);
    connect(ui->CheckBoxNSI, &QCheckBox::clicked, this, &TForm1::CheckBoxNSIClick);

    connect(ui->Image1, &ResultSheet::cellClicked, this, &TForm1::Image1MouseUp);
    connect(ui->ComboBoxPatch, &ChoiceBox::changed, this, &TForm1::ComboBoxPatchChange);
    connect(ui->SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(ui->SpeedButton12, &QToolButton::clicked, this, &TForm1::SpeedButton12Click);

    connect(ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    ui->Sair1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(ui->Sair1, &QAction::triggered, this, &TForm1::Sair1Click);
    connect(ui->Sobre1, &QAction::triggered, this, &TForm1::Sobre1Click);
    connect(ui->Notation1, &QAction::triggered, this, &TForm1::Notation1Click);
    connect(ui->Progression1, &QAction::triggered, this, &TForm1::Progression1Click);
    ConnectSongHandlers();
    ConnectIdentifyHandlers();
}

// The start-up sequence; each step relies on the ones before it.
void TForm1::FormCreate()
{
    // 1. Sound: the first MIDI output. A device that cannot be opened leaves the program silent.
    m_midi = m_openMidiDevice ? m_openMidiDevice(midi::kDefaultDevice) : OpenMidiDevice(midi::kDefaultDevice);
    if (!m_midi)
        m_midi = std::make_unique<SilentPort>();
    // The synthesizer may still be starting; when the sound is off, the first panel says why.
    m_midi->watchStatus([this](const std::string& text) {
        QMetaObject::invokeMethod(
            this,
            [this, shown = QString::fromStdString(text)] {
                if (auto* panel = ui->StatusBar1->findChild<QLabel*>())
                    panel->setText(shown);
            },
            Qt::QueuedConnection);
    });
    // The synthesizer starts on its own first program; select the sound the patch box shows, so that
    // the first strum sounds like what the box says.
    ChangePatch(*m_midi, ui->ComboBoxPatch->currentIndex());

    // 2. The MIDI note of every string and fret in the standard tuning.
    m_stringNotes = RebuildStringNotes(kStandardTuning);

    // 3. Third and fifth of the starting chord (with the rest of the selection, step 9).
    m_selection = StartupSelection();

    // 4. The easy shapes are the engine's constant text. 5. No diagram selected; "Up to fret" 12.
    m_selectedX = 0;
    m_selectedY = 0;
    m_fretLimit = ui->ComboBox1->selectedValue(12);

    // 6. The standard tuning, as the track bars and labels of the layout show it.
    m_tuning = kStandardTuning;
    m_openStrings = GuitarOpenStrings(m_tuning);

    // 7. The note names of both grids.
    for (TextGrid* grid : { ui->StringGridAcorde, ui->StringGridBaixo }) {
        const std::array<std::string, 12> names = GridNames(Spelling::Sharp);
        for (int row = 0; row < 12; ++row)
            grid->setText(row, 0, Text(names[static_cast<size_t>(row)]));
    }

    // 8. The chord catalogue: the chord-type list (more rows than the layout declares) and the
    // extension list.
    ui->StringGrid1->setRowCount(kChordTypeCount);
    for (int row = 0; row < kChordTypeCount; ++row) {
        const ChordType& type = kChordTypes[static_cast<size_t>(row)];
        ui->StringGrid1->setText(row, 0, Text(type.name));
        ui->StringGrid1->setText(row, 1, Text(type.intervals));
    }
    QStringList captions;
    for (const Extension& extension : kExtensions)
        captions << Text(extension.caption);
    ui->CheckListBox1->setItemTexts(captions);

    // 9. C major: item 0 checked, every grid on its first row without running a selection handler.
    for (TextGrid* grid : { ui->StringGridAcorde, ui->StringGridBaixo, ui->StringGrid1 })
        grid->selectRowQuietly(0);
    ShowSelection();

    // 10. The first results, before the window is first shown.
    RefreshResults();

    ui->Image2->draw([](Canvas& canvas) { DrawNeckPicture(canvas, NeckPicture::Classic); });
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    if (isVisible())
        RefreshResults();
}

// The layouts take their real sizes only when the window is first shown, after the refresh of the
// start-up sequence; the sheet then follows the width it really has.
void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (windowHandle() && !m_watchingScreen) {
        connect(windowHandle(), &QWindow::screenChanged, this, &TForm1::ScreenChanged);
        m_watchingScreen = true;
        ScreenChanged();
    }
    if (ui->Image1->width() != SheetWidth())
        RefreshResults();
}

int TForm1::SheetWidth() const { return ui->ScrollBoxViolao->viewport()->width(); }

// The chord is taken from the selection as numbers; its note list is kept only to be shown.
void TForm1::RefreshResults()
{
    m_selectedX = 0;
    m_selectedY = 0;

    const RefreshInput input = FromSelection(m_selection, CurrentSearchOptions());
    m_noteList = NoteListText(input);

    // A note list the search cannot take (more than six notes) shows no result rather than a wrong
    // one; the selection rules keep every list the controls can build within the limit.
    const StringSet strings = PlayedStrings();
    InstrumentRefreshResult result = ComputeInstrumentRefresh(input, strings);
    m_records = std::move(result.records);

    std::vector<Frets> diagrams;
    std::vector<QString> notes;
    diagrams.reserve(m_records.size());
    for (const InstrumentRecord& record : m_records) {
        diagrams.push_back(record.frets);
        notes.push_back(record.leftOut ? Text("without " + LeftOutPhrase(record.leftOut)) : QString());
    }
    const std::string shownName = ShownChordName(m_selection.editText);
    ui->Image1->setLeftHanded(ui->CheckBoxCanhoto->isChecked());
    ui->Image1->setChordName(Text(shownName));
    ui->Image1->setCellNotes(std::move(notes));
    ui->Image1->showDiagrams(std::move(diagrams), SheetWidth(), BassMarkStrings(strings));
    m_leftOut = result.leftOut;
    ShowSearchMessage(SearchStatusMessage(result, std::string(TrimBlanks(shownName)), strings));

    m_partsNames = result.names;
    ShowNamesAndCount(NamesInNotation(result.names, result.chordTones, input), input, m_records.size());
}

// A refresh's own message stays until the next refresh replaces it; another's is left alone.
void TForm1::ShowSearchMessage(const std::string& message)
{
    const QString text = Text(message);
    if (!text.isEmpty())
        ui->StatusBar1->showMessage(text);
    else if (!m_searchMessage.isEmpty() && ui->StatusBar1->currentMessage() == m_searchMessage)
        ui->StatusBar1->clearMessage();
    m_searchMessage = text;
}

// The end of every refresh, whatever the instrument: the names list, the bass "Find" adds, the count.
void TForm1::ShowNamesAndCount(const std::vector<std::string>& names, const RefreshInput& input, size_t count)
{
    ui->ListBox1->clear();
    for (const std::string& name : names)
        ui->ListBox1->addItem(Text(name));
    m_namesBass = input.bassIndex >= 0 && input.bassIndex < 12
        ? input.rootGridNames[static_cast<size_t>(input.bassIndex)]
        : std::string();
    ui->LabelTotal->setText(QString::number(count));
    ShowCapoCount();
    ShowExportEnabled();
}

SearchOptions TForm1::CurrentSearchOptions() const
{
    SearchOptions options;
    options.tuning = m_tuning;
    options.fretLimit = m_fretLimit;
    options.span = ui->ComboBox2->selectedValue(5);
    options.omit3 = ui->CheckBoxOmit3->isChecked();
    options.omit5 = ui->CheckBoxOmit5->isChecked();
    options.noBarre = ui->CheckBoxPestanas->isChecked();
    options.easy = ui->CheckBoxNSI->isChecked();
    options.capo = capo();
    return options;
}

void TForm1::ShowSelection()
{
    ui->EditAcorde->setText(Text(m_selection.editText));
    ShowNameSearch({});
    for (int item = 0; item < kExtensionCount; ++item) {
        ui->CheckListBox1->setItemChecked(item, m_selection.checked[static_cast<size_t>(item)]);
        ui->CheckListBox1->setItemEnabled(item, m_selection.enabled[static_cast<size_t>(item)]);
    }
    ui->StringGridBaixo->setEnabledWithColour(m_selection.bassGridEnabled);
}

void TForm1::ShowGridNames(TextGrid* grid, Spelling spelling)
{
    for (const int row : kBlackKeyRows)
        grid->setText(row, 0, Text(NoteName(row, spelling)));
}

// ---- Chord selection ----

void TForm1::StringGridAcordeSelectCell(int, int row)
{
    PickRoot(m_selection, row);
    // Moving the bass grid runs its own pick for the same row, which changes nothing more; the
    // refresh is left to the end of this one.
    m_rootPickRunning = true;
    ui->StringGridBaixo->setCurrentCell(row, 0);
    m_rootPickRunning = false;
    ShowSelection();
    RefreshResults();
}

void TForm1::StringGridBaixoSelectCell(int, int row)
{
    if (!PickBass(m_selection, row)) {
        // A separate bass would make a seven-note chord of a six-note typed name: refused.
        ui->StringGridBaixo->selectRowQuietly(m_selection.bassRow);
        return;
    }
    ShowSelection();
    if (!m_rootPickRunning)
        RefreshResults();
}

void TForm1::StringGrid1SelectCell(int, int row)
{
    if (row < 0 || row >= kChordTypeCount)
        return;
    PickChordType(m_selection, row);
    ShowSelection();
    RefreshResults();
}

void TForm1::CheckListBox1ClickCheck(int item)
{
    if (item < 0 || item >= kExtensionCount)
        return;
    m_selection.checked[static_cast<size_t>(item)] = ui->CheckListBox1->isItemChecked(item);
    ChangeExtensions(m_selection, item);
    ShowSelection();
    RefreshResults();
}

void TForm1::SpeedButton7Click()
{
    ui->CheckListBox1->show();
    ui->StringGrid1->hide();
}

void TForm1::SpeedButton8Click()
{
    ui->CheckListBox1->hide();
    ui->StringGrid1->show();
}

void TForm1::SpeedButton5Click()
{
    SetRootSpelling(m_selection, Spelling::Sharp);
    ShowGridNames(ui->StringGridAcorde, m_selection.rootSpelling);
}

void TForm1::SpeedButton6Click()
{
    SetRootSpelling(m_selection, Spelling::Flat);
    ShowGridNames(ui->StringGridAcorde, m_selection.rootSpelling);
}

void TForm1::SpeedButton9Click()
{
    SetBassSpelling(m_selection, Spelling::Flat);
    ShowGridNames(ui->StringGridBaixo, m_selection.bassSpelling);
}

void TForm1::SpeedButton10Click()
{
    SetBassSpelling(m_selection, Spelling::Sharp);
    ShowGridNames(ui->StringGridBaixo, m_selection.bassSpelling);
}

// The typed chord name. The grids keep their selected rows and the spelling buttons their pressed
// state; only the texts of the black-key rows follow the spelling the name was read in.
void TForm1::SpeedButton2Click()
{
    ui->Image1->clearDiagrams();
    m_selection.editText = ui->EditAcorde->text().toStdString();
    ReadTypedInNotation();
    NameBoxSearch search = SearchTypedChord(m_selection);
    search.typed = m_typedName;
    ShowSelection();
    ShowNameSearch(search);
    ShowDifferingReadings();
    ShowGridNames(ui->StringGridAcorde, m_selection.rootSpelling);
    ShowGridNames(ui->StringGridBaixo, m_selection.bassSpelling);
    RefreshResults();
}

// A typed name that was not read in full says so in the status bar until the selection changes;
// the box's tooltip holds what was typed beside what was read.
void TForm1::ShowNameSearch(const NameBoxSearch& search)
{
    if (!m_nameProblem)
        return;
    m_nameProblem->setText(Text(search.Problem()));
    // The panel may cut a long message off; its tooltip holds it whole.
    m_nameProblem->setToolTip(Text(search.Problem()));
    if (m_useLeadSheet)
        m_useLeadSheet->hide();
    if (search.typed.empty() && search.Understood()) {
        ui->EditAcorde->setToolTip({});
        return;
    }
    QString read = Text(TrimBlanks(m_selection.editText));
    if (search.byLeadSheet)
        read += QStringLiteral(" (%1)").arg(Text(search.leadSheet));
    QString tip = QStringLiteral("Typed: %1\nRead as: %2").arg(Text(search.typed), read);
    if (!search.Understood())
        tip += QLatin1Char('\n') + Text(search.Problem());
    ui->EditAcorde->setToolTip(tip);
}

// ---- Tuning ----

void TForm1::TrackBarChange(int position)
{
    if (!m_instrument->tuningPresets) {
        const auto found = std::find(m_allBars.begin(), m_allBars.end(), sender());
        if (found != m_allBars.end() && position >= 0 && position <= 11)
            StringsBarChange(static_cast<size_t>(found - m_allBars.begin()), position);
        return;
    }
    const auto found = std::find(m_trackBars.begin(), m_trackBars.end(), sender());
    if (found == m_trackBars.end() || position < 0 || position > 11)
        return;
    const auto string = static_cast<size_t>(found - m_trackBars.begin());
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    labels[string]->setText(Text(kNoteNames[static_cast<size_t>(position)]));
    m_tuning[string] = position;
    m_openStrings = GuitarOpenStrings(m_tuning);
    ShowStringNotes();
    // A user's move takes effect at once, so that the diagrams and the strum follow the labels; a
    // preset moving the bars refreshes once at its own end.
    if (m_presetRunning)
        return;
    m_stringNotes = RebuildStringNotes(m_tuning);
    RefreshResults();
}

void TForm1::ToolButton5Click() { ApplyPreset(0); }

void TForm1::StandardTunning1Click(QAction* item)
{
    if (item)
        ApplyPreset(item->data().toInt());
}

void TForm1::ApplyPreset(int tag)
{
    if (!m_instrument->tuningPresets) {
        ApplyStringsPreset(tag);
        return;
    }
    if (tag < 0 || tag >= static_cast<int>(kTuningPresets.size()))
        return;
    const TuningPreset& preset = kTuningPresets[static_cast<size_t>(tag)];
    m_tuning = preset.pitchClasses;
    m_openStrings = GuitarOpenStrings(m_tuning);
    ui->ToolButton5->setText(Text(preset.buttonCaption));
    m_presetRunning = true;
    for (size_t s = 0; s < m_trackBars.size(); ++s)
        m_trackBars[s]->setValue(preset.pitchClasses[s]);
    m_presetRunning = false;
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    for (size_t s = 0; s < labels.size(); ++s)
        labels[s]->setText(Text(preset.labels[s]));
    ShowStringNotes();
    m_stringNotes = RebuildStringNotes(m_tuning);
    RefreshResults();
}

// ---- Options ----

void TForm1::ComboBox1Change(int)
{
    m_fretLimit = ui->ComboBox1->selectedValue(m_fretLimit);
    RefreshResults();
}

void TForm1::ComboBox2Change(int) { RefreshResults(); }

void TForm1::CheckBoxOmit3Click() { RefreshResults(); }

void TForm1::CheckBoxOmit5Click() { RefreshResults(); }

void TForm1::CheckBoxCanhotoClick() { RefreshResults(); }

void TForm1::CheckBoxPestanasClick() { RefreshResults(); }

void TForm1::CheckBoxNSIClick()
{
    constexpr int kDistanceThree = 1;
    constexpr int kDistanceFive = 3;
    ui->ComboBox2->setCurrentIndex(ui->CheckBoxNSI->isChecked() ? kDistanceThree : kDistanceFive);
    RefreshResults();
}

// ---- The sheet, the neck and the sound ----

void TForm1::Image1MouseUp(int index, QPoint position)
{
    if (index < 0 || index >= static_cast<int>(m_records.size()))
        return;
    const InstrumentRecord& clicked = m_records[static_cast<size_t>(index)];
    ui->Edit1->setText(FormationText(clicked.frets));

    m_played = clicked.frets;
    m_neckFingering = FingeringOfFrets(clicked.frets);
    ShowNeckFingering();

    // The previous cell (the first one after a refresh) goes back to normal, the clicked one is
    // drawn as selected.
    ui->Image1->selectCell(index);
    m_selectedX = position.x();
    m_selectedY = position.y();

    // The port keeps the pauses between the strings on its own clock: the window is not held.
    PlayStrings(*m_midi, m_played, m_openStrings, capo(), ui->TrackBarTempoAcorde->value());
    emit diagramSelected(m_played);
}

void TForm1::ComboBoxPatchChange(int index) { ChangePatch(*m_midi, index); }

void TForm1::SpeedButton11Click() { ShowBareNeck(NeckPicture::Electric); }

void TForm1::SpeedButton12Click() { ShowBareNeck(NeckPicture::Classic); }

void TForm1::SpeedButton13Click() { ShowBareNeck(NeckPicture::Brown); }

// ---- The window ----

void TForm1::Button2Click()
{
    ui->Image1->clearDiagrams();
    ShowExportEnabled();
}

void TForm1::Sair1Click() { close(); }

void TForm1::Notation1Click()
{
    // The paragraph names the instrument as the sheets do: one they leave unnamed keeps the six strings'.
    const bool named = !WindowsInstrument().description.empty();
    NotationWindow notation(this, { named ? m_instrument->caption : std::string_view(), OpenStringNames() });
    notation.exec();
}

void TForm1::Sobre1Click()
{
    if (Form2)
        Form2->exec();
}

void TForm1::LeitordeCifra1Click()
{
    if (FormCifra)
        FormCifra->show();
}

void TForm1::ConfigurarImpressora1Click() { RunPageSetupDialog(this); }

} // namespace corvane
