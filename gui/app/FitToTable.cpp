#include "app/FitToTable.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>

void resizeToTable(QWidget* dialog, QTreeView* table, int minimumWidthPx, int heightPx) {
    // Sizes in the fonts and style the dialog will be shown with.
    dialog->ensurePolished();
    table->ensurePolished();
    QHeaderView* header = table->header();
    header->ensurePolished();
    const QAbstractItemView* view = table; // where the column's size hint is public
    int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < header->count(); ++column) {
        int columnPx = qMax(view->sizeHintForColumn(column), header->sectionSizeHint(column));
        // A stretched last section never gets narrower than the default size of a section.
        if (column == header->count() - 1 && header->stretchLastSection()) {
            columnPx = qMax(columnPx, header->defaultSectionSize());
        }
        width += columnPx;
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
