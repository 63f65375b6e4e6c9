#include "dialogs/CheckChannelsDlg.h"

#include "app/Resource.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

int CheckChannelsDlg::column(FindingField field) {
    const ChannelFieldInfo* info = channelcheck::gridField(field);
    return info ? info->col : 1;
}

CheckChannelsDlg::CheckChannelsDlg(const std::vector<Finding>& findings, Language language, QWidget* parent)
    : HelpDialog(id::kCheckChannels, parent), m_findings(findings), m_list(new QTableWidget),
      m_goTo(new QPushButton(tr("&Go To"))) {
    setObjectName(QStringLiteral("CheckChannelsDlg"));
    setWindowTitle(tr("Check Channels"));
    auto* label = new QLabel(findings.empty() ? tr("No findings.")
                                              : tr("%n finding(s): advice only; nothing stops a write.",
                                                   nullptr, static_cast<int>(findings.size())));
    label->setWordWrap(true);
    label->setBuddy(m_list);
    m_list->setAccessibleName(tr("Findings"));
    m_list->setColumnCount(3);
    m_list->setRowCount(static_cast<int>(findings.size()));
    m_list->setHorizontalHeaderLabels({tr("Channel"), tr("Field"), tr("Finding")});
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(false);
    m_list->setTabKeyNavigation(false);
    // A finding is a sentence or two: it wraps in its column rather than being cut short.
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideNone);
    int row = 0;
    for (const Finding& finding : findings) {
        const QString texts[] = {QString::number(finding.channel),
                                 QString::fromUtf8(channelcheck::fieldHeading(finding.field, language)),
                                 QString::fromStdString(finding.text)};
        for (int col = 0; col < 3; ++col) {
            m_list->setItem(row, col, new QTableWidgetItem(texts[col]));
        }
        ++row;
    }
    QHeaderView* header = m_list->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    m_list->setVisible(!findings.empty());
    if (!findings.empty()) {
        m_list->setCurrentCell(0, 0);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    if (!findings.empty()) {
        buttons->addButton(m_goTo, QDialogButtonBox::ActionRole);
        m_goTo->setDefault(true);
    } else {
        m_goTo->hide();
    }
    connect(m_goTo, &QPushButton::clicked, this, &CheckChannelsDlg::goTo);
    connect(m_list, &QTableWidget::itemActivated, this, &CheckChannelsDlg::goTo);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    if (findings.empty()) {
        resize(360, 100);
    } else {
        resize(760, 400);
    }
}

void CheckChannelsDlg::goTo() {
    const int index = m_list->currentRow();
    if (index < 0 || index >= static_cast<int>(m_findings.size())) {
        return;
    }
    m_chosen = m_findings[static_cast<size_t>(index)];
    accept();
}

void CheckChannelsDlg::fitRows() {
    QTimer::singleShot(0, m_list, &QTableView::resizeRowsToContents);
}

void CheckChannelsDlg::resizeEvent(QResizeEvent* event) {
    HelpDialog::resizeEvent(event);
    fitRows();
}

void CheckChannelsDlg::showEvent(QShowEvent* event) {
    HelpDialog::showEvent(event);
    fitRows();
}
