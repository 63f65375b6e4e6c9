#pragma once

#include "dialogs/HelpDialog.h"

class AppContext;
class QPushButton;
class QRadioButton;

// Setup, Language: English or Chinese. OK with the language that is not running marks the
// choice as a change; nothing is stored until the caller knows the program can start anew
// (documents saved or let go), and then storeChoice() stores it as [Setup] Language. The dialog
// opens with the running language selected. F1 opens help on the command.
class LanguageDlg : public HelpDialog {
    Q_OBJECT
public:
    explicit LanguageDlg(AppContext& context, QWidget* parent = nullptr);

    // Set by an OK with the other language; cleared when the dialog opens again.
    bool changed() const { return m_changed; }
    // Stores the chosen language in Program.ini (or the user's copy of it) at once; when it
    // cannot be saved the user is told why, nothing changes and the result is false.
    bool storeChoice();
    // Stores the running language again: the restart the choice was for did not happen.
    void restoreRunningLanguage();
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
