#pragma once

class QTreeView;
class QWidget;

// Resizes a dialog, whose layout holds `table`, so that every column of the table shows whole
// without a horizontal scroll bar: as wide as the columns' texts and headings need, at least
// `minimumWidthPx` and at most the width of the screen; `heightPx` high.
void resizeToTable(QWidget* dialog, QTreeView* table, int minimumWidthPx, int heightPx);
