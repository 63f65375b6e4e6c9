#include "dialogs/ProductInfoDlg.h"

#include "app/MessageBox.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelRows.h"
#include "settings/ProgramIni.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {
// The product information command's own id, reported by F1 when no control has an id.
constexpr int kCommandId = 32786;
} // namespace

ProductInfoDlg::ProductInfoDlg(const ProgramIni& ini, const radiomodel::Choice& remembered,
                               const MemoryImage& image, Language language, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_ini(ini), m_image(image), m_language(language),
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
    const uint32_t type = remembered.type;
    const uint32_t band = remembered.band;
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
    // An empty list gives -1, which stays the "no choice" it was (0xFFFFFFFF) when remembered.
    const radiomodel::Choice choice{static_cast<uint32_t>(m_typeCombo->currentIndex()),
                                    static_cast<uint32_t>(m_bandCombo->currentIndex())};
    radiomodel::ChoiceOutcome outcome = radiomodel::choose(m_image, choice, m_ini);
    std::vector<int> cleared;
    if (!outcome.outside.empty()) {
        const QString text = QString::fromStdString(channeledit::outsideBandText(
                                 outcome.outside, outcome.model.limits, m_language)) +
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
            for (int channel : outcome.outside) {
                clearChannels(outcome.image, channel, channel);
            }
            cleared = outcome.outside;
        }
    }
    m_choice = choice;
    m_image = outcome.image;
    m_applied = outcome.model;
    m_cleared = cleared;
    QDialog::accept();
}
