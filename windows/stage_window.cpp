// The stage view: laid out for its size, painted line by line in view, turned by keys and a timer.
#include "windows/stage_window.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/sheet_layout.h"
#include "toolkit/chord_export.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace corvane {

namespace {

    constexpr int kFrameMilliseconds = 16;
    constexpr int kSmallestPixels = 14;
    constexpr int kLargestPixels = 64;
    constexpr int kSideMargin = 24;
    constexpr int kStripNamePixels = 14;
    // How much of the view a page turn keeps in sight: the last two lines stay.
    constexpr int kLinesKept = 2;

    QString Text(const std::string& text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    QFont Mono(int pixels, bool bold, bool italic = false)
    {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(pixels);
        font.setBold(bold);
        font.setItalic(italic);
        return font;
    }

} // namespace

StageSong StageSongOf(const ShownSong& shown, SongSheetContent sheet)
{
    return { std::move(sheet), SongSeconds(shown) };
}

TFormStage::TFormStage(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_pictures(std::make_unique<PictureStore>(devicePixelRatioF()))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FormStage"));
    setWindowTitle(QStringLiteral("Stage view"));
    setAccessibleName(QStringLiteral("Stage view"));
    setAccessibleDescription(QStringLiteral(
        "Page Down or Right turns a screen, Page Up or Left goes back, Space starts or pauses scrolling, + and - "
        "change its pace, N and P the next and previous song, D a dark ground, Escape leaves"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer->setInterval(kFrameMilliseconds);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TFormStage::Tick);
}

TFormStage::~TFormStage() = default;

void TFormStage::SetSongs(std::vector<StageSong> songs, int first)
{
    m_songs = std::move(songs);
    m_strip = QPixmap(); // drawn for other songs
    m_lines.clear();
    for (const StageSong& song : m_songs) {
        std::vector<Line> lines;
        lines.push_back({ Text(song.sheet.title), false, true, false, 0 });
        if (!song.sheet.details.empty())
            lines.push_back({ Text(song.sheet.details), false, false, true, 0 });
        lines.push_back({});
        for (const SheetBlock& block : song.sheet.blocks) {
            if (block.gap) {
                lines.push_back({});
                continue;
            }
            if (!block.chords.empty())
                lines.push_back({ Text(block.chords), true, false, false, block.indent });
            if (!block.words.empty() || block.chords.empty())
                lines.push_back({ Text(block.words), false, block.heading, block.remark, block.indent });
        }
        m_lines.push_back(std::move(lines));
    }
    m_scroll = StageScroll();
    Relayout();
    m_scroll.GoToSong(std::clamp(first, 0, std::max(0, static_cast<int>(m_songs.size()) - 1)));
    Moved();
}

void TFormStage::ShowStage(const QSize& size)
{
    if (size.isValid()) {
        resize(size);
        show();
    } else {
        showFullScreen();
    }
    raise();
    activateWindow();
    setFocus();
}

void TFormStage::SetDark(bool dark)
{
    m_dark = dark;
    update();
}

// The words' size: the widest line of any song fills the width, within readable bounds.
void TFormStage::Relayout()
{
    int widest = 1;
    for (const auto& lines : m_lines)
        for (const Line& line : lines)
            widest = std::max(widest, static_cast<int>(line.text.size()) + line.indent);
    const QFontMetricsF metrics(Mono(100, true));
    const qreal advance = metrics.horizontalAdvance(QLatin1Char('M')) / 100.0;
    const qreal room = std::max(1, width() - 2 * kSideMargin);
    m_pixels = std::clamp(static_cast<int>(room / (widest * advance)), kSmallestPixels, kLargestPixels);
    m_lineHeight = QFontMetrics(Mono(m_pixels, true)).lineSpacing();
    std::vector<StageExtent> extents;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        extents.push_back({ static_cast<int>(m_lines[i].size()) * m_lineHeight + m_lineHeight, m_songs[i].seconds });
    // Every song has the same strip band when any has one, so that the view's height does not change
    // from one song to the next.
    const bool strip
        = std::any_of(m_songs.begin(), m_songs.end(), [](const StageSong& s) { return !s.sheet.diagrams.empty(); });
    const int view = std::max(1, height() - (strip ? export_sheet::kCellHeight + export_sheet::kNameHeight : 0));
    m_scroll.Relayout(std::move(extents), view, std::max(1, view - kLinesKept * m_lineHeight));
}

void TFormStage::Moved()
{
    if (m_scroll.Playing()) {
        if (!m_timer->isActive()) {
            m_clock.start();
            m_timer->start();
        }
    } else {
        m_timer->stop();
    }
    update();
}

void TFormStage::Tick()
{
    const double seconds = m_clock.restart() / 1000.0;
    Advance(seconds);
}

void TFormStage::Advance(double seconds)
{
    m_scroll.Advance(seconds);
    Moved();
}

void TFormStage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

// The view has no controls to move to: Tab stays, and the pedal keys are never taken by a child.
bool TFormStage::focusNextPrevChild(bool) { return false; }

// The view's keys are its own: no shortcut of the windows behind it takes them first.
bool TFormStage::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_PageUp:
        case Qt::Key_Right:
        case Qt::Key_Left:
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_Space:
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus:
        case Qt::Key_N:
        case Qt::Key_P:
        case Qt::Key_D:
        case Qt::Key_Escape:
            event->accept();
            return true;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

void TFormStage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right:
    case Qt::Key_Down:
        m_scroll.Forward();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
    case Qt::Key_Up:
        m_scroll.Back();
        break;
    case Qt::Key_Space:
        // A song that can scroll by itself starts and pauses; any other turns a screen.
        if (m_scroll.CanPlay() && !(m_scroll.AtEnd() && !m_scroll.Playing()))
            m_scroll.TogglePlaying();
        else
            m_scroll.Forward();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        m_scroll.Faster();
        break;
    case Qt::Key_Minus:
    case 0x2212: // the minus sign
        m_scroll.Slower();
        break;
    case Qt::Key_N:
        m_scroll.NextSong();
        break;
    case Qt::Key_P:
        m_scroll.PreviousSong();
        break;
    case Qt::Key_D:
        SetDark(!m_dark);
        break;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    Moved();
}

void TFormStage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor ground = m_dark ? QColor(16, 16, 16) : QColor(Qt::white);
    const QColor ink = m_dark ? QColor(230, 230, 230) : QColor(Qt::black);
    const QColor chordInk = m_dark ? QColor(255, 196, 64) : QColor(0, 70, 160);
    painter.fillRect(rect(), ground);
    const int song = m_scroll.song();
    if (song < 0 || song >= static_cast<int>(m_lines.size()))
        return;
    const SongSheetContent& sheet = m_songs[static_cast<std::size_t>(song)].sheet;
    const bool anyStrip
        = std::any_of(m_songs.begin(), m_songs.end(), [](const StageSong& s) { return !s.sheet.diagrams.empty(); });
    const int band = anyStrip ? export_sheet::kCellHeight + export_sheet::kNameHeight : 0;

    // The words, only the lines in view.
    painter.setClipRect(QRect(0, band, width(), height() - band));
    const QFont words = Mono(m_pixels, false);
    const QFont chords = Mono(m_pixels, true);
    const QFont heading = Mono(m_pixels, true, true);
    const QFont remark = Mono(m_pixels, false, true);
    const int charWidth = QFontMetrics(words).horizontalAdvance(QLatin1Char('M'));
    const int ascent = QFontMetrics(chords).ascent();
    const auto& lines = m_lines[static_cast<std::size_t>(song)];
    const int offset = static_cast<int>(m_scroll.offset());
    const int first = std::max(0, offset / m_lineHeight - 1);
    for (int i = first; i < static_cast<int>(lines.size()); ++i) {
        const int y = band + i * m_lineHeight - offset;
        if (y > height())
            break;
        const Line& line = lines[static_cast<std::size_t>(i)];
        if (line.text.isEmpty())
            continue;
        painter.setFont(line.chords ? chords : line.heading ? heading : line.remark ? remark : words);
        painter.setPen(line.chords ? chordInk : ink);
        painter.drawText(QPoint(kSideMargin + charWidth * line.indent, y + ascent), line.text);
    }

    // The strip, over the top, drawn once for the song, the width and the ground.
    painter.setClipping(false);
    if (band > 0) {
        const StripKey key { song, width(), m_dark };
        if (m_strip.isNull() || !(m_stripKey == key)) {
            m_strip = StripPicture(sheet, band, ink);
            m_stripKey = key;
        }
        painter.drawPixmap(0, 0, m_strip);
    }
}

// As many diagrams as the width holds, each with its chord's name over it.
QPixmap TFormStage::StripPicture(const SongSheetContent& sheet, int band, const QColor& ink) const
{
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(QSize(width(), band) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(m_dark ? QColor(40, 40, 40) : QColor(236, 236, 236));
    QPainter painter(&picture);
    QtCanvas canvas(painter, *m_pictures);
    const int fit = std::max(0, (width() - kSideMargin) / export_sheet::kCellWidth);
    QFont name = font();
    name.setPixelSize(kStripNamePixels);
    name.setBold(true);
    for (std::size_t i = 0; i < sheet.diagrams.size() && static_cast<int>(i) < fit; ++i) {
        const int left = kSideMargin + static_cast<int>(i) * export_sheet::kCellWidth;
        painter.setPen(ink);
        painter.setFont(name);
        painter.drawText(QPoint(left + export_sheet::kNameLeft, export_sheet::kNameTop + QFontMetrics(name).ascent()),
            i < sheet.names.size() ? Text(sheet.names[i]) : QString());
        painter.setFont(DiagramFont(font()));
        // The diagrams are drawn on white, which reads on either ground.
        painter.fillRect(
            QRect(left + 4, export_sheet::kNameHeight, export_sheet::kCellWidth - 8, export_sheet::kCellHeight - 4),
            Qt::white);
        DrawStringsDiagram(
            canvas, sheet.diagrams[i], export_sheet::kNameHeight, left, kDiagramNormal, false, sheet.strings);
    }
    return picture;
}

} // namespace corvane
