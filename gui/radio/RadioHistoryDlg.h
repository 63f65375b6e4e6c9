#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "history/RadioHistory.h"
#include "image/MemoryImage.h"

#include <vector>

class ProgramIni;
class QPushButton;
class QTreeWidget;

// Program, Radio History: the images read from and written to radios, newest first, with their
// time, kind, device, radio type and band and the number of channels in use. Open takes the
// chosen image into a new document; Write to Radio does the same and then starts a write of
// it (with the usual backup and verify). An entry that cannot be loaded is reported and the
// dialog stays open.
class RadioHistoryDlg : public HelpDialog {
    Q_OBJECT
public:
    enum class Action { None, Open, Write };

    // The type and band names come from Program.ini; a byte that names none shows as "unknown".
    RadioHistoryDlg(RadioHistory& history, const ProgramIni& ini, Language language,
                    QWidget* parent = nullptr);

    // What the user chose, and the image and entry it concerns once the dialog was accepted.
    Action action() const { return m_action; }
    const MemoryImage& image() const { return m_image; }
    const HistoryEntry& entry() const { return m_entry; }

    QTreeWidget* list() const { return m_list; }
    QPushButton* openButton() const { return m_open; }
    QPushButton* writeButton() const { return m_write; }

private:
    void choose(Action action);
    void updateButtons();

    RadioHistory& m_history;
    std::vector<HistoryEntry> m_entries;
    QTreeWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_write;
    Action m_action = Action::None;
    MemoryImage m_image;
    HistoryEntry m_entry;
};
