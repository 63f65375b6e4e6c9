#include "app/FitToTable.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

void resizeToTable(QWidget* dialog, QTreeView* table, int minimumWidthPx, int heightPx) {
    table->ensurePolished();
    const QHeaderView* header = table->header();
    const QAbstractItemView* view = table; // where the column's size hint is public
    int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < header->count(); ++column) {
        width += qMax(view->sizeHintForColumn(column), header->sectionSizeHint(column));
    }
    if (const QLayout* layout = dialog->layout()) {
        const QMargins margins = layout->contentsMargins();
        width += margins.left() + margins.right();
    }
    width = qMax(width, minimumWidthPx);
    if (const QScreen* screen = dialog->screen()) {
        width = qMin(width, screen->availableGeometry().width());
    }
    dialog->resize(width, heightPx);
}
