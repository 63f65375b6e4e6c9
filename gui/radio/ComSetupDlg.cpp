#include "radio/ComSetupDlg.h"

#include "settings/SettingsStore.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

ComSetupDlg::ComSetupDlg(const std::vector<PortCandidate>& candidates, ISettingsStore& store, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_store(store) {
    setWindowTitle(tr("COM Setup"));
    auto* group = new QGroupBox(QStringLiteral("COM"));
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(this);
    buttons->setExclusive(true);
    for (int n = 1; n <= kPortNameCount; ++n) {
        const PortCandidate* c = static_cast<size_t>(n) <= candidates.size() ? &candidates[n - 1] : nullptr;
        const QString device = c && !c->device.empty() ? QString::fromStdString(c->device) : tr("none");
        auto* button = new QRadioButton(QStringLiteral("COM%1  (%2)").arg(n).arg(device));
        button->setEnabled(c && c->canOpen);
        if (c && !c->canOpen) {
            button->setToolTip(QString::fromStdString(c->openResult.detail));
        }
        buttons->addButton(button, n);
        grid->addWidget(button, (n - 1) / 2, (n - 1) % 2);
        m_buttons.push_back(button);
    }
    // The remembered port is checked even when it cannot be opened now.
    const uint32_t remembered = m_store.readValue("com", 1);
    if (remembered >= 1 && remembered <= static_cast<uint32_t>(kPortNameCount)) {
        m_buttons[remembered - 1]->setChecked(true);
    }

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
}

void ComSetupDlg::accept() {
    int number = 0; // no button checked: "com0", which no transfer can open
    for (int n = 1; n <= kPortNameCount; ++n) {
        if (m_buttons[n - 1]->isChecked()) {
            number = n;
        }
    }
    m_port = QStringLiteral("com%1").arg(number);
    m_store.writeValue("com", static_cast<uint32_t>(number));
    QDialog::accept();
}
