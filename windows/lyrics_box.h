#pragma once
// The song window's words: read-only, but walked with the caret by line and by letter. The screen
// shows each chord over its syllable; a screen reader is given the same lines with the chords in
// brackets before their syllables (song/spoken_sheet.h), and the caret's place in those lines.

#include "song/spoken_sheet.h"

#include <QTextEdit>

namespace corvane {

class LyricsBox final : public QTextEdit {
    Q_OBJECT
public:
    explicit LyricsBox(QWidget* parent = nullptr);

    // What a reader hears of the lines now shown, from the blocks they were set from.
    void setSpoken(const std::vector<SheetBlock>& blocks);
    const QString& spokenText() const { return m_text; }

    // A place in the box's document and its place in the spoken text, both ways.
    int SpokenOffset(int position) const;
    int DocumentPosition(int offset) const;

private:
    SpokenSheet m_spoken;
    QString m_text;
};

} // namespace corvane
