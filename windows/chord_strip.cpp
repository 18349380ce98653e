// The chord strip of the Progression and Song windows, its diagrams' keys and what a screen reader
// hears of them.
#include "windows/chord_strip.h"

#include "drawing/spoken_diagram.h"
#include "toolkit/chord_export.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

    QString Text(const std::string& text) { return QString::fromStdString(text); }

    // A diagram reads as an item of the strip's list: selectable, selected while it sounds, and
    // pressed to play.
    class StripDiagramAccessible final : public QAccessibleWidget {
    public:
        explicit StripDiagramAccessible(StripDiagram* diagram)
            : QAccessibleWidget(diagram, QAccessible::ListItem)
        {
            addControllingSignal(QStringLiteral("played()"));
        }

        QAccessible::State state() const override
        {
            QAccessible::State state = QAccessibleWidget::state();
            state.selectable = true;
            state.selected = static_cast<StripDiagram*>(widget())->sounding();
            return state;
        }

        QStringList actionNames() const override
        {
            return { QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::setFocusAction() };
        }

        void doAction(const QString& action) override
        {
            auto* diagram = static_cast<StripDiagram*>(widget());
            if (action == QAccessibleActionInterface::pressAction())
                emit diagram->played();
            else if (action == QAccessibleActionInterface::setFocusAction())
                diagram->setFocus(Qt::OtherFocusReason);
        }

        QStringList keyBindingsForAction(const QString& action) const override
        {
            if (action == QAccessibleActionInterface::pressAction())
                return { QStringLiteral("Return"), QStringLiteral("Space") };
            return {};
        }
    };

    QAccessibleInterface* Factory(const QString& className, QObject* object)
    {
        if (className == QLatin1StringView(StripDiagram::staticMetaObject.className()))
            if (auto* diagram = qobject_cast<StripDiagram*>(object))
                return new StripDiagramAccessible(diagram);
        if (className == QLatin1StringView(ChordStrip::staticMetaObject.className()))
            if (auto* strip = qobject_cast<ChordStrip*>(object))
                return new QAccessibleWidget(strip, QAccessible::List);
        return nullptr;
    }

    template <class Fingering>
    StripCell CellOf(const QString& name, const Fingering* frets, const std::string& problem, const QImage& picture,
        const QString& tip, const std::string& spoken)
    {
        StripCell cell { name, {}, {}, {}, false };
        if (frets) {
            cell.picture = picture;
            cell.tip = tip;
            cell.spoken = Text(spoken);
        } else {
            cell.tip = Text(problem);
            cell.spoken = problem.empty() ? name + QStringLiteral(", no fingering")
                                          : name + QStringLiteral(", no fingering: ") + Text(problem);
        }
        return cell;
    }

} // namespace

StripCell StripCellOf(const QString& name, const Voicing* frets, const std::string& problem,
    const PictureStore& pictures, bool leftHanded, const OpenStrings&)
{
    const std::string chord = name.toStdString();
    if (!frets)
        return CellOf<Voicing>(name, nullptr, problem, {}, {}, {});
    const Frets diagram = FretsOfVoicing(*frets);
    return CellOf(name, frets, problem, DiagramImage(diagram, pictures, leftHanded, SheetHeading { chord, {} }),
        FingeringClipboardText(diagram), SpokenDiagram(*frets, chord));
}

StripCell StripCellOf(const QString& name, const Frets* frets, const std::string& problem, const PictureStore& pictures,
    bool leftHanded, const OpenStrings& strings)
{
    const std::string chord = name.toStdString();
    if (!frets)
        return CellOf<Frets>(name, nullptr, problem, {}, {}, {});
    return CellOf(name, frets, problem, DiagramImage(*frets, pictures, leftHanded, SheetHeading { chord, {} }, strings),
        FingeringClipboardText(*frets), SpokenStringsDiagram(*frets, chord));
}

StripDiagram::StripDiagram(int index, QWidget* parent)
    : QLabel(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("Diagram"));
    setFocusPolicy(Qt::StrongFocus);
    // The frames hug the picture.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StripDiagram::setSounding(bool sounding)
{
    if (m_sounding == sounding)
        return;
    m_sounding = sounding;
    setFrameShape(sounding ? QFrame::Box : QFrame::NoFrame);
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    if (sounding) {
        QAccessibleEvent selection(this, QAccessible::Selection);
        QAccessible::updateAccessibility(&selection);
    }
}

void StripDiagram::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit moveBy(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit moveBy(1);
        break;
    case Qt::Key_Home:
        emit moveTo(0);
        break;
    case Qt::Key_End:
        emit moveTo(-1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit played();
        break;
    default:
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
}

void StripDiagram::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void StripDiagram::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

// The keyboard's place is a dotted frame inside the picture, as on the main sheet.
void StripDiagram::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

ChordStrip::ChordStrip(QWidget* parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    setAccessibleName(QStringLiteral("Chords"));
}

StripDiagram* ChordStrip::diagram(int index) const
{
    const auto* column = findChild<QWidget*>(QStringLiteral("Chord%1").arg(index), Qt::FindDirectChildrenOnly);
    return column ? column->findChild<StripDiagram*>() : nullptr;
}

QAbstractButton* ChordStrip::otherFingerings(int index) const
{
    const auto* column = findChild<QWidget*>(QStringLiteral("Chord%1").arg(index), Qt::FindDirectChildrenOnly);
    return column ? column->findChild<QAbstractButton*>(QStringLiteral("OtherFingerings")) : nullptr;
}

void ChordStrip::Show(const std::vector<StripCell>& cells)
{
    // Where the keyboard is in this window, even while another window is active.
    int focusedColumn = -1;
    bool focusedButton = false;
    if (QWidget* focused = window()->focusWidget(); focused && isAncestorOf(focused)) {
        for (int k = 0; k < count() && focusedColumn < 0; ++k) {
            if (focused == diagram(k))
                focusedColumn = k;
            else if (focused == otherFingerings(k))
                focusedColumn = k, focusedButton = true;
        }
    }

    // The old columns go once the new ones have the keyboard, so that it moves from one control to its
    // successor without passing through the window's other controls.
    const std::vector<QWidget*> old = TakeColumns();
    m_names.clear();
    m_sounding = -1;
    QLayout* row = layout() ? layout() : new QHBoxLayout(this);
    QWidget* previous = m_before;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const StripCell& cell = cells[k];
        const int index = static_cast<int>(k);
        auto* column = new QWidget(this);
        column->setObjectName(QStringLiteral("Chord%1").arg(k));
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* diagram = new StripDiagram(index, column);
        diagram->setAccessibleName(cell.spoken.isEmpty() ? cell.name : cell.spoken);
        if (cell.picture) {
            diagram->setPixmap(QPixmap::fromImage(*cell.picture));
        } else {
            diagram->setText(cell.name + QStringLiteral("\n\n—"));
            diagram->setAlignment(Qt::AlignCenter);
            diagram->setMinimumSize(100, 176);
        }
        diagram->setToolTip(cell.tip);
        connect(diagram, &StripDiagram::moveBy, this, [this, index](int step) { FocusDiagram(index + step); });
        connect(diagram, &StripDiagram::moveTo, this, [this](int to) { FocusDiagram(to < 0 ? count() - 1 : to); });
        connect(diagram, &StripDiagram::played, this, [this, index] { emit played(index); });
        // As wide as its card: the frame drawn around the chord playing fits the card, not the column.
        layout->addWidget(diagram, 0, Qt::AlignHCenter);
        auto* other = new QToolButton(column);
        other->setObjectName(QStringLiteral("OtherFingerings"));
        other->setText(QStringLiteral("Other fingerings"));
        other->setAccessibleName(QStringLiteral("Other fingerings for ") + cell.name);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setCheckable(true);
        other->setChecked(cell.waiting);
        connect(other, &QToolButton::clicked, this, [this, index] { emit otherFingeringsClicked(index); });
        layout->addWidget(other, 0, Qt::AlignHCenter);
        row->addWidget(column);
        // Shown now, not at the layout's next pass: the keyboard may be given to it at once.
        column->show();
        m_names << cell.name;
        // Column by column, where the strip stands among the window's controls.
        if (previous) {
            QWidget::setTabOrder(previous, diagram);
            QWidget::setTabOrder(diagram, other);
        }
        previous = other;
    }
    if (focusedColumn >= 0 && count() > 0) {
        const int k = std::min(focusedColumn, count() - 1);
        QWidget* target = focusedButton ? static_cast<QWidget*>(otherFingerings(k)) : diagram(k);
        target->setFocus(Qt::OtherFocusReason);
    }
    // Deleted later: the button of one may be the one being clicked.
    for (QWidget* column : old) {
        column->hide();
        column->setParent(nullptr);
        column->deleteLater();
    }
}

void ChordStrip::setSounding(int index)
{
    m_sounding = index >= 0 && index < count() ? index : -1;
    for (int k = 0; k < count(); ++k)
        if (StripDiagram* shown = diagram(k))
            shown->setSounding(k == m_sounding);
}

void ChordStrip::FocusDiagram(int index)
{
    if (StripDiagram* target = diagram(std::clamp(index, 0, std::max(0, count() - 1))))
        target->setFocus(Qt::TabFocusReason);
}

// Every column out of the row, nameless so that the new ones are found by their names.
std::vector<QWidget*> ChordStrip::TakeColumns()
{
    std::vector<QWidget*> columns;
    QLayout* row = layout();
    while (QLayoutItem* item = row ? row->takeAt(0) : nullptr) {
        if (QWidget* widget = item->widget()) {
            widget->setObjectName(QString());
            columns.push_back(widget);
        }
        delete item;
    }
    return columns;
}

} // namespace corvane
