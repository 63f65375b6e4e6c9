#include "dialogs/HelpDialog.h"

#include <QKeyEvent>
#include <QVariant>

HelpDialog::HelpDialog(int dialogHelpId, QWidget* parent) : QDialog(parent), m_dialogHelpId(dialogHelpId) {}

void HelpDialog::setControlId(QWidget* control, int id) {
    control->setProperty("controlId", id);
}

int HelpDialog::currentHelpId() const {
    for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget()) {
        const QVariant id = w->property("controlId");
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return m_dialogHelpId;
}

void HelpDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit helpRequested(currentHelpId());
    }
    QDialog::keyPressEvent(event);
}
