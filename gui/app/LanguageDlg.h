#pragma once

#include "dialogs/HelpDialog.h"

class AppContext;
class QPushButton;
class QRadioButton;

// Setup, Language: English or Chinese. OK with the language that is not running stores it as
// [Setup] Language in Program.ini and saves the file at once; the caller then restarts the
// program. When the file cannot be saved the user is told why and nothing changes. The dialog
// opens with the running language selected. F1 opens help on the command.
class LanguageDlg : public HelpDialog {
    Q_OBJECT
public:
    explicit LanguageDlg(AppContext& context, QWidget* parent = nullptr);

    // Set by an OK that stored the other language; never cleared.
    bool changed() const { return m_changed; }
    // 0 English, 1 Chinese; -1 before the dialog was first shown.
    int language() const { return m_language; }

    QRadioButton* englishButton() const { return m_english; }
    QRadioButton* chineseButton() const { return m_chinese; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppContext& m_context;
    bool m_changed = false;
    int m_language = -1;
    QRadioButton* m_english;
    QRadioButton* m_chinese;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
