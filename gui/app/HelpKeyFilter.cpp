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

HelpKeyFilter::HelpKeyFilter(AppContext& context, QObject* parent) : QObject(parent), m_context(context) {}

int HelpKeyFilter::contextFor(QObject* receiver) {
    // While a menu is open the keyboard belongs to it, whoever the event was addressed to and
    // whichever widget keeps the focus underneath.
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        menu = qobject_cast<QMenu*>(receiver);
    }
    if (menu != nullptr) {
        if (const QAction* action = menu->activeAction(); action != nullptr && action->data().toInt() != 0) {
            return action->data().toInt();
        }
        return helpIdOf(menu->parentWidget());
    }
    QWidget* focus = QApplication::focusWidget();
    // A key addressed to another window than the focus's (one just opened, not yet active) is
    // that window's.
    if (const auto* target = qobject_cast<QWidget*>(receiver);
        focus != nullptr && target != nullptr && focus->window() != target->window()) {
        focus = nullptr;
    }
    if (focus == nullptr) {
        // With nothing focused the key goes to a window as a whole: the manual opens at its
        // contents, except in a dialog, which has a page of its own.
        focus = qobject_cast<QWidget*>(receiver);
        if (focus == nullptr || (focus->isWindow() && qobject_cast<HelpDialog*>(focus) == nullptr)) {
            return 0;
        }
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
    // A key arrives at the window first and is then handed on to the open menu or to the
    // focused widget; only there is it known whose help is asked for.
    if (!watched->isWidgetType()) {
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
