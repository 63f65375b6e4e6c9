#pragma once

#include "check/ChannelCheck.h"
#include "dialogs/HelpDialog.h"

#include <optional>
#include <vector>

class QPushButton;
class QTableWidget;

// Check Channels: the channel check's findings, one a row (the channel, the grid's heading of
// the field concerned, what to do), or "No findings." Go To, a double click or Enter on a
// finding closes the dialog with chosen() set, for the caller to show that cell.
class CheckChannelsDlg : public HelpDialog {
    Q_OBJECT
public:
    CheckChannelsDlg(const std::vector<Finding>& findings, Language language, QWidget* parent = nullptr);

    // The grid column a finding points at: the field's column, the first for the channel as a
    // whole and for the priority option.
    static int column(FindingField field);

    QTableWidget* list() const { return m_list; }
    QPushButton* goToButton() const { return m_goTo; }
    // The finding gone to; none after Close.
    const std::optional<Finding>& chosen() const { return m_chosen; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void goTo();
    // The rows as high as their wrapped findings, once the columns have their widths.
    void fitRows();

    std::vector<Finding> m_findings;
    QTableWidget* m_list;
    QPushButton* m_goTo;
    std::optional<Finding> m_chosen;
};
