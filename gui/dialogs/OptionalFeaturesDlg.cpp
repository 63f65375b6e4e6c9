#include "dialogs/OptionalFeaturesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int kCommandId = 32788;
} // namespace

QComboBox* OptionalFeaturesDlg::addList(OptionList list, int id, Language language) {
    auto* combo = new QComboBox;
    setControlId(combo, id);
    for (const std::string& item : optionItems(list, language)) {
        combo->addItem(QString::fromStdString(item));
    }
    combo->setCurrentIndex(optionSelection(list, m_image));
    m_combos[list] = combo;
    m_shown[list] = combo->currentIndex();
    return combo;
}

OptionalFeaturesDlg::OptionalFeaturesDlg(MemoryImage& image, Language language, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_image(image), m_chkBeep(new QCheckBox(tr("Beep"))),
      m_chkBatterySaver(new QCheckBox(tr("Battery Saver"))) {
    setWindowTitle(tr("Optional Features"));

    // The two columns keep the arrangement of the classic dialog: timer, squelch, priority,
    // voice and monitor key on the left; VOX, its gain and delay and the two boxes on the right.
    auto* left = new QFormLayout;
    left->addRow(tr("Time Out Time (s)"), addList(OptionList::TimeOut, kIdTimeOut, language));
    left->addRow(tr("Squelch Level"), addList(OptionList::Squelch, kIdSquelch, language));
    left->addRow(tr("Priority Channel"), addList(OptionList::Priority, kIdPriority, language));
    left->addRow(tr("Voice Annunciation"), addList(OptionList::Voice, kIdVoice, language));
    left->addRow(tr("Monitor Key"), addList(OptionList::MonitorKey, kIdMonitorKey, language));

    auto* right = new QFormLayout;
    right->addRow(tr("VOX"), addList(OptionList::Vox, kIdVox, language));
    right->addRow(tr("Vox Gain Level"), addList(OptionList::VoxGain, kIdVoxGain, language));
    right->addRow(tr("Vox Delay Time (s)"), addList(OptionList::VoxDelay, kIdVoxDelay, language));
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(m_chkBeep);
    boxes->addWidget(m_chkBatterySaver);
    right->addRow(boxes);

    setControlId(m_chkBeep, kIdBeep);
    setControlId(m_chkBatterySaver, kIdBatterySaver);
    m_chkBeep->setChecked(keyBeepOn(m_image));
    m_chkBatterySaver->setChecked(batterySaverOn(m_image));
    m_beepShown = m_chkBeep->isChecked();
    m_batterySaverShown = m_chkBatterySaver->isChecked();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

void OptionalFeaturesDlg::accept() {
    for (const auto& [list, combo] : m_combos) {
        if (combo->currentIndex() != m_shown[list]) {
            storeOptionSelection(list, combo->currentIndex(), m_image);
        }
    }
    if (m_chkBatterySaver->isChecked() != m_batterySaverShown) {
        setBatterySaver(m_image, m_chkBatterySaver->isChecked());
    }
    if (m_chkBeep->isChecked() != m_beepShown) {
        setKeyBeep(m_image, m_chkBeep->isChecked());
    }
    QDialog::accept();
}
