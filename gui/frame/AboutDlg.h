#pragma once

#include "dialogs/HelpDialog.h"

class AppContext;
class QLabel;
class QPushButton;

// The About box: the program's version (the build's, as --version prints it), then the caption
// and two lines from the language section of Program.ini (LanguageText AboutTitle, Copyrights,
// CopyrightsOwner); the picture is "title.ico" when that file can be read, else the
// program's icon.
class AboutDlg : public HelpDialog {
    Q_OBJECT
public:
    explicit AboutDlg(const AppContext& context, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_version; }
    QLabel* copyrightsLabel() const { return m_copyrights; }
    QLabel* ownerLabel() const { return m_owner; }
    QLabel* iconLabel() const { return m_icon; }

private:
    QLabel* m_version;
    QLabel* m_copyrights;
    QLabel* m_owner;
    QLabel* m_icon;
    QPushButton* m_ok;
};
