#pragma once

#include <QObject>

class AppContext;
class QWidget;

// Turns F1 anywhere in the program into a help call. The context is the command id of the
// highlighted entry while a menu is open (disabled entries can be highlighted too, see
// MainFrame); in a HelpDialog the id of its focused control or of
// the dialog; elsewhere the "controlId" property of the focused widget or of its nearest ancestor
// that has one (the document window, the main window); with nothing focused, 0 (the contents).
// The key is consumed.
class HelpKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit HelpKeyFilter(AppContext& context, QObject* parent = nullptr);

    // The context F1 would open now for a key event sent to receiver.
    static int contextFor(QObject* receiver);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_context;
};
