#pragma once

#include "dialogs/HelpDialog.h"

class AppContext;
class QLabel;
class QPushButton;

// The About box. Its caption and three lines come from the language section of Program.ini
// ("About Title", "Version", "Copyrights", "Copyrights Owner"); the picture is "title.ico" when
// that file can be read, else the program's icon.
class AboutDlg : public HelpDialog {
    Q_OBJECT
public:
    explicit AboutDlg(const AppContext& context, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_version; }
    QLabel* copyrightsLabel() const { return m_copyrights; }
    QLabel* ownerLabel() const { return m_owner; }
    // The program's own version, whatever the installation's texts say.
    QLabel* buildLabel() const { return m_build; }
    QLabel* iconLabel() const { return m_icon; }

private:
    QLabel* m_version;
    QLabel* m_copyrights;
    QLabel* m_owner;
    QLabel* m_build;
    QLabel* m_icon;
    QPushButton* m_ok;
};
