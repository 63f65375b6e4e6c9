#pragma once

#include <QDialog>

// A dialog that answers F1 with the help context of the focused control (its "controlId"
// property), or with the dialog's own id when the focused control has none. The shell connects
// helpRequested to the help viewer.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(int dialogHelpId, QWidget* parent = nullptr);

    // Tags a control with the id that F1 reports while it has the focus.
    static void setControlId(QWidget* control, int id);
    // The id F1 would report now.
    int currentHelpId() const;

signals:
    void helpRequested(int contextId);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_dialogHelpId;
};
