#include "dialogs/HelpDialog.h"

#include <QKeyEvent>
#include <QVariant>

CHelpDialog::CHelpDialog(int dialogHelpId, QWidget* parent) : QDialog(parent), m_nDialogHelpId(dialogHelpId) {}

void CHelpDialog::setControlId(QWidget* control, int id) { control->setProperty("controlId", id); }

int CHelpDialog::currentHelpId() const {
    for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        const QVariant id = w->property("controlId");
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return m_nDialogHelpId;
}

void CHelpDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit helpRequested(currentHelpId());
    }
    QDialog::keyPressEvent(event);
}
