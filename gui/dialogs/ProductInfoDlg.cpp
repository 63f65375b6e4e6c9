#include "dialogs/ProductInfoDlg.h"

#include "app/MessageBox.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelRows.h"
#include "settings/ProgramIni.h"
#include "settings/SettingsStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {
// The product information command's own id, reported by F1 when no control has an id.
constexpr int kCommandId = 32786;
} // namespace

ProductInfoDlg::ProductInfoDlg(const ProgramIni& ini, ISettingsStore& store, MemoryImage& image,
                               Language language, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_ini(ini), m_store(store), m_image(image), m_language(language),
      m_typeCombo(new QComboBox), m_bandCombo(new QComboBox) {
    setWindowTitle(tr("Product Information"));
    setControlId(m_typeCombo, kIdType);
    setControlId(m_bandCombo, kIdBand);

    auto* group = new QGroupBox(tr("Setting"));
    auto* form = new QFormLayout(group);
    form->addRow(tr("Type"), m_typeCombo);
    form->addRow(tr("Frequency"), m_bandCombo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    for (const std::string& name : radiomodel::typeNames(m_ini)) {
        m_typeCombo->addItem(QString::fromStdString(name));
    }
    // The remembered choice decides what the dialog shows; a value past the end of a list
    // leaves that list without a selection.
    const uint32_t type = m_store.readValue("Type", 0);
    const uint32_t band = m_store.readValue("Field", 0);
    m_typeCombo->setCurrentIndex(type < static_cast<uint32_t>(m_typeCombo->count()) ? static_cast<int>(type)
                                                                                    : -1);
    loadBands();
    m_bandCombo->setCurrentIndex(band < static_cast<uint32_t>(m_bandCombo->count()) ? static_cast<int>(band)
                                                                                    : -1);
    m_typeCombo->setPlaceholderText(tr("Choose a type"));
    m_bandCombo->setPlaceholderText(tr("Choose a band"));
    if (!radiomodel::isListed(m_ini, m_image.radioType(), m_image.band())) {
        // The remembered choice belongs to another image: this one has no type and band to show.
        m_typeCombo->setCurrentIndex(-1);
        m_bandCombo->clear();
    }
    connect(m_typeCombo, qOverload<int>(&QComboBox::activated), this, [this] { loadBands(); });
}

void ProductInfoDlg::loadBands() {
    m_bandCombo->clear();
    // With no type selected this asks for "Field0", which gives one empty band.
    const unsigned type = static_cast<unsigned>(m_typeCombo->currentIndex());
    for (const std::string& band : radiomodel::bandNames(m_ini, type)) {
        m_bandCombo->addItem(QString::fromStdString(band));
    }
    m_bandCombo->setCurrentIndex(0);
}

void ProductInfoDlg::accept() {
    const int type = m_typeCombo->currentIndex();
    const int band = m_bandCombo->currentIndex();
    MemoryImage chosen = m_image;
    chosen.setRadioType(static_cast<uint8_t>(type & 0xFF));
    chosen.setBand(static_cast<uint8_t>(band & 0xFF));
    const radiomodel::TypeAndBand applied = radiomodel::describe(chosen, m_ini);
    const std::vector<int> outside = channeledit::channelsOutsideBand(chosen, applied.limits);
    std::vector<int> cleared;
    const bool changed = chosen.radioType() != m_image.radioType() || chosen.band() != m_image.band();
    if (changed && !outside.empty()) {
        const QString text =
            QString::fromStdString(channeledit::outsideBandText(outside, applied.limits, m_language)) +
            QStringLiteral("\n\n") +
            tr("Keep these channels as they are (a write then asks before sending them), or "
               "clear them?");
        const QMessageBox::StandardButton answer = MessageBox::show(
            this, text, QString(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
            QMessageBox::Warning, {{QMessageBox::Yes, tr("Keep")}, {QMessageBox::No, tr("Clear Channels")}},
            QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            return; // back to the dialog
        }
        if (answer == QMessageBox::No) {
            for (int channel : outside) {
                clearChannels(chosen, channel, channel);
            }
            cleared = outside;
        }
    }
    m_image = chosen;
    m_applied = applied;
    m_cleared = cleared;
    m_store.writeValue("Type", static_cast<uint32_t>(type));
    m_store.writeValue("Field", static_cast<uint32_t>(band));
    QDialog::accept();
}
