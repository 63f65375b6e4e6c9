#include "dialogs/ProductInfoDlg.h"

#include "settings/IniFile.h"
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

CProductInfoDlg::CProductInfoDlg(const CIniFile& ini, ISettingsStore& store, CMemoryImage& image, QWidget* parent)
    : CHelpDialog(kCommandId, parent), m_ini(ini), m_store(store), m_image(image), m_cbType(new QComboBox),
      m_cbBand(new QComboBox) {
    setWindowTitle(tr("Product Information"));
    setControlId(m_cbType, kIdType);
    setControlId(m_cbBand, kIdBand);

    auto* group = new QGroupBox(tr("Setting"));
    auto* form = new QFormLayout(group);
    form->addRow(tr("Type"), m_cbType);
    form->addRow(tr("Frequency"), m_cbBand);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    for (const std::string& name : radiomodel::typeNames(m_ini)) {
        m_cbType->addItem(QString::fromStdString(name));
    }
    // The remembered choice decides what the dialog shows; a value past the end of a list
    // leaves that list without a selection.
    const uint32_t type = m_store.readValue("Type", 0);
    const uint32_t band = m_store.readValue("Field", 0);
    m_cbType->setCurrentIndex(type < static_cast<uint32_t>(m_cbType->count()) ? static_cast<int>(type) : -1);
    loadBands();
    m_cbBand->setCurrentIndex(band < static_cast<uint32_t>(m_cbBand->count()) ? static_cast<int>(band) : -1);
    connect(m_cbType, qOverload<int>(&QComboBox::activated), this, [this] { loadBands(); });
}

void CProductInfoDlg::loadBands() {
    m_cbBand->clear();
    // With no type selected this asks for "Field0", which gives one empty band.
    const unsigned type = static_cast<unsigned>(m_cbType->currentIndex());
    for (const std::string& band : radiomodel::bandNames(m_ini, type)) {
        m_cbBand->addItem(QString::fromStdString(band));
    }
    m_cbBand->setCurrentIndex(0);
}

void CProductInfoDlg::accept() {
    const int type = m_cbType->currentIndex();
    const int band = m_cbBand->currentIndex();
    m_image.setRadioType(static_cast<uint8_t>(type & 0xFF));
    m_image.setBand(static_cast<uint8_t>(band & 0xFF));
    m_applied.type = m_image.radioType();
    m_applied.band = m_image.band();
    m_applied.typeName = m_cbType->currentText().toStdString();
    m_applied.bandName = m_cbBand->currentText().toStdString();
    m_applied.limits = bandLimitsFromText(m_applied.bandName);
    m_store.writeValue("Type", static_cast<uint32_t>(type));
    m_store.writeValue("Field", static_cast<uint32_t>(band));
    QDialog::accept();
}
