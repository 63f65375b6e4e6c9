#include "radio/RadioHistoryDlg.h"

#include "app/FitToTable.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "channels/RadioModel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

RadioHistoryDlg::RadioHistoryDlg(RadioHistory& history, const ProgramIni& ini, Language language,
                                 QWidget* parent)
    : HelpDialog(id::kRadioHistory, parent), m_history(history), m_entries(history.entries()),
      m_list(new QTreeWidget), m_open(new QPushButton(tr("&Open"))),
      m_write(new QPushButton(tr("&Write to Radio"))) {
    setObjectName(QStringLiteral("RadioHistoryDlg"));
    setWindowTitle(tr("Radio History"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Time"), tr("Kind"), tr("Device"), tr("Type"), tr("Band"), tr("Channels")});
    for (const HistoryEntry& entry : m_entries) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::fromStdString(entry.time));
        item->setText(1, QString::fromUtf8(historyKindText(entry.kind, language)));
        item->setText(2, QString::fromStdString(entry.port));
        // An erased radio's 0xFF, or a type or band Program.ini does not list, has no name.
        const std::vector<std::string> types = radiomodel::typeNames(ini);
        const std::string type = entry.radioType < types.size() ? types[entry.radioType] : std::string();
        item->setText(3, type.empty() ? tr("unknown") : QString::fromStdString(type));
        const bool listed = radiomodel::isListed(ini, entry.radioType, entry.band);
        const std::string band =
            listed ? radiomodel::bandName(ini, entry.radioType, entry.band) : std::string();
        item->setText(4, band.empty() ? tr("unknown") : QString::fromStdString(band));
        item->setText(5, QString::number(entry.channelsInUse));
    }
    // Every column as wide as its texts (the dialog is sized to them below); the last one takes
    // what width is left.
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
    }

    auto* folder = new QLabel(
        tr("Kept in %1").arg(QDir::toNativeSeparators(QFile::decodeName(history.folder().c_str()))));
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->addButton(m_open, QDialogButtonBox::ActionRole);
    buttons->addButton(m_write, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_open, &QPushButton::clicked, this, [this] { choose(Action::Open); });
    connect(m_write, &QPushButton::clicked, this, [this] { choose(Action::Write); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { choose(Action::Open); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, &RadioHistoryDlg::updateButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(folder);
    layout->addWidget(buttons);
    resizeToTable(this, m_list, 640, 360);
    updateButtons();
}

void RadioHistoryDlg::updateButtons() {
    const bool chosen = m_list->currentItem() != nullptr;
    m_open->setEnabled(chosen);
    m_write->setEnabled(chosen);
}

void RadioHistoryDlg::choose(Action action) {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        return;
    }
    const HistoryEntry& entry = m_entries[static_cast<size_t>(row)];
    MemoryImage image;
    const HistoryResult loaded = m_history.load(entry.id, image);
    if (!loaded) {
        MessageBox::show(this,
                         tr("The image of %1 cannot be loaded.\n%2")
                             .arg(QString::fromStdString(entry.time), SystemReason::text(loaded.detail)));
        return;
    }
    m_action = action;
    m_image = image;
    m_entry = entry;
    accept();
}
