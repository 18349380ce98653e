// The words' box and the text interface a screen reader walks it through.
#include "windows/lyrics_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace corvane {

namespace {

    // The box as a read-only text of several lines whose characters are the spoken lines', the caret
    // and the selection told in their places.
    class LyricsAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
    public:
        explicit LyricsAccessible(LyricsBox* box)
            : QAccessibleWidget(box, QAccessible::EditableText)
        {
        }

        QAccessible::State state() const override
        {
            QAccessible::State state = QAccessibleWidget::state();
            state.readOnly = true;
            state.multiLine = true;
            state.selectableText = true;
            return state;
        }

        void* interface_cast(QAccessible::InterfaceType type) override
        {
            if (type == QAccessible::TextInterface)
                return static_cast<QAccessibleTextInterface*>(this);
            return QAccessibleWidget::interface_cast(type);
        }

        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Value)
                return box()->spokenText();
            return QAccessibleWidget::text(t);
        }

        void selection(int selectionIndex, int* startOffset, int* endOffset) const override
        {
            *startOffset = *endOffset = 0;
            const QTextCursor cursor = box()->textCursor();
            if (selectionIndex != 0 || !cursor.hasSelection())
                return;
            *startOffset = box()->SpokenOffset(cursor.selectionStart());
            *endOffset = box()->SpokenOffset(cursor.selectionEnd());
        }
        int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
        void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
        void removeSelection(int) override
        {
            QTextCursor cursor = box()->textCursor();
            cursor.clearSelection();
            box()->setTextCursor(cursor);
        }
        void setSelection(int, int startOffset, int endOffset) override
        {
            QTextCursor cursor = box()->textCursor();
            cursor.setPosition(box()->DocumentPosition(startOffset));
            cursor.setPosition(box()->DocumentPosition(endOffset), QTextCursor::KeepAnchor);
            box()->setTextCursor(cursor);
        }

        int cursorPosition() const override { return box()->SpokenOffset(box()->textCursor().position()); }
        void setCursorPosition(int position) override
        {
            QTextCursor cursor = box()->textCursor();
            cursor.setPosition(box()->DocumentPosition(position));
            box()->setTextCursor(cursor);
        }

        QString text(int startOffset, int endOffset) const override
        {
            const QString& all = box()->spokenText();
            const auto start = std::clamp<qsizetype>(startOffset, 0, all.size());
            const auto end = std::clamp<qsizetype>(endOffset, start, all.size());
            return all.mid(start, end - start);
        }
        int characterCount() const override { return static_cast<int>(box()->spokenText().size()); }

        QRect characterRect(int offset) const override
        {
            QTextCursor cursor(box()->document());
            cursor.setPosition(box()->DocumentPosition(offset));
            QRect rect = box()->cursorRect(cursor);
            rect.setWidth(box()->fontMetrics().horizontalAdvance(QLatin1Char('M')));
            return QRect(box()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
        }
        int offsetAtPoint(const QPoint& point) const override
        {
            const QPoint at = box()->viewport()->mapFromGlobal(point);
            if (!box()->viewport()->rect().contains(at))
                return -1;
            return box()->SpokenOffset(box()->cursorForPosition(at).position());
        }
        void scrollToSubstring(int startIndex, int) override
        {
            QTextCursor cursor(box()->document());
            cursor.setPosition(box()->DocumentPosition(startIndex));
            const QRect rect = box()->cursorRect(cursor);
            QScrollBar* bar = box()->verticalScrollBar();
            if (!box()->viewport()->rect().contains(rect))
                bar->setValue(bar->value() + rect.top() - box()->viewport()->height() / 2);
        }
        QString attributes(int, int* startOffset, int* endOffset) const override
        {
            *startOffset = 0;
            *endOffset = characterCount();
            return {};
        }

    private:
        LyricsBox* box() const { return static_cast<LyricsBox*>(widget()); }
    };

    QAccessibleInterface* Factory(const QString& className, QObject* object)
    {
        if (className == QLatin1StringView(LyricsBox::staticMetaObject.className()))
            if (auto* box = qobject_cast<LyricsBox*>(object))
                return new LyricsAccessible(box);
        return nullptr;
    }

} // namespace

LyricsBox::LyricsBox(QWidget* parent)
    : QTextEdit(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    setTabChangesFocus(true);
}

void LyricsBox::setSpoken(const std::vector<SheetBlock>& blocks)
{
    const QString old = m_text;
    m_spoken = SpeakSheet(blocks);
    m_text = QString::fromStdString(m_spoken.text);
    QAccessibleTextUpdateEvent event(this, 0, old, m_text);
    QAccessible::updateAccessibility(&event);
}

int LyricsBox::SpokenOffset(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    const int line = block.isValid() ? block.blockNumber() : -1;
    if (line < 0 || line >= static_cast<int>(m_spoken.at.size()))
        return static_cast<int>(m_text.size());
    const std::vector<int>& places = m_spoken.at[static_cast<std::size_t>(line)];
    const auto column = static_cast<std::size_t>(std::max(0, position - block.position()));
    return places.empty() ? 0 : places[std::min(column, places.size() - 1)];
}

int LyricsBox::DocumentPosition(int offset) const
{
    if (m_spoken.at.empty())
        return 0;
    const ShownPlace place = ShownPlaceOf(m_spoken, offset);
    const QTextBlock block = document()->findBlockByNumber(place.line);
    if (!block.isValid())
        return std::max(0, document()->characterCount() - 1);
    return block.position() + std::min(place.column, std::max(0, block.length() - 1));
}

} // namespace corvane
