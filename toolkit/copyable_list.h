#pragma once
// A list whose lines the user can select and copy: Ctrl+C while the list has the keyboard, and
// "Copy" in its context menu. The key is the list's own while it has the keyboard, so a window-wide
// Ctrl+C (the main window's "Copy diagram") does not take it.

class QListWidget;

namespace corvane {

// The selected lines, in list order, one a line; the current line when none is selected.
void CopyListLines(const QListWidget* list);

// Adds the key and the context menu to the list. Selection follows the list's selection mode.
void MakeListCopyable(QListWidget* list);

} // namespace corvane
