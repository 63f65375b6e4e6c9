#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "channels/ChannelCsv.h"

class QPushButton;
class QTreeWidget;

// File, Import Channels: what the file would change, before anything is applied. Each channel
// the import changes is listed with its texts before and after ("erased" for a channel not in
// use), and the dialog is as wide as that list; when the file has rows that cannot be taken,
// those are listed instead (line and reason, wrapped) and nothing can be imported.
class ImportPreviewDlg : public HelpDialog {
    Q_OBJECT
public:
    ImportPreviewDlg(const MemoryImage& before, const channelcsv::ImportResult& result, Language language,
                     QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QPushButton* importButton() const { return m_import; }
    // Channels whose texts change.
    int changedCount() const { return m_changed; }

private:
    QTreeWidget* m_list;
    QPushButton* m_import;
    int m_changed = 0;
};
