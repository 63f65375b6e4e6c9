#pragma once

#include "dialogs/HelpDialog.h"

class AppContext;
class QLabel;
class QPushButton;

// The About box. Its caption and three lines come from the language section of Program.ini
// ("About Title", "Version", "Copyrights", "Copyrights Owner"); the picture is "title.ico" when
// that file can be read, else the program's icon.
class CAboutDlg : public CHelpDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const AppContext& context, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_pVersion; }
    QLabel* copyrightsLabel() const { return m_pCopyrights; }
    QLabel* ownerLabel() const { return m_pOwner; }
    QLabel* iconLabel() const { return m_pIcon; }

private:
    QLabel* m_pVersion;
    QLabel* m_pCopyrights;
    QLabel* m_pOwner;
    QLabel* m_pIcon;
    QPushButton* m_pOk;
};
