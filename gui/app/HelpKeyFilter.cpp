#include "app/HelpKeyFilter.h"

#include "app/Help.h"
#include "app/Resource.h"
#include "dialogs/HelpDialog.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace {

int helpIdOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant id = w->property(kHelpIdProperty);
        if (id.isValid()) {
            return id.toInt();
        }
    }
    return 0;
}

} // namespace

HelpKeyFilter::HelpKeyFilter(const AppContext& context, QObject* parent)
    : QObject(parent), m_context(context) {}

int HelpKeyFilter::contextFor(QObject* receiver) {
    if (auto* menu = qobject_cast<QMenu*>(receiver)) {
        if (const QAction* action = menu->activeAction(); action != nullptr && action->data().toInt() != 0) {
            return action->data().toInt();
        }
        return helpIdOf(menu->parentWidget());
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        focus = qobject_cast<QWidget*>(receiver);
    }
    if (focus == nullptr) {
        return helpIdOf(QApplication::activeWindow());
    }
    if (auto* dialog = qobject_cast<HelpDialog*>(focus->window())) {
        return dialog->currentHelpId();
    }
    return helpIdOf(focus);
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
        return false;
    }
    if (!key->isAutoRepeat()) {
        QWidget* owner = qobject_cast<QWidget*>(watched);
        Help::open(m_context, owner != nullptr ? owner->window() : nullptr, contextFor(watched));
    }
    return true;
}
