#include "dialogs/OptionalFeaturesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
constexpr int kCommandId = 32788;
// The classic dialog's left column holds the first five lists (timer, squelch, priority, voice
// and monitor key); the rest and then the check boxes go on the right.
constexpr int kLeftColumnRows = 5;
} // namespace

QComboBox* OptionalFeaturesDlg::addList(const OptionInfo& info, Language language) {
    auto* combo = new QComboBox;
    setControlId(combo, info.helpId);
    for (const std::string& item : optionItems(info.list, language)) {
        combo->addItem(QString::fromStdString(item));
    }
    combo->setCurrentIndex(optionSelection(info.list, m_image));
    m_combos[info.list] = combo;
    m_shown[info.list] = combo->currentIndex();
    return combo;
}

QCheckBox* OptionalFeaturesDlg::addCheckBox(const OptionInfo& info, Language language) {
    auto* box = new QCheckBox(QString::fromStdString(optionLabel(info.list, language)));
    setControlId(box, info.helpId);
    // Item 0 is on.
    box->setChecked(optionSelection(info.list, m_image) == 0);
    m_boxes[info.list] = box;
    m_shown[info.list] = box->isChecked() ? 0 : 1;
    return box;
}

OptionalFeaturesDlg::OptionalFeaturesDlg(const MemoryImage& image, Language language, QWidget* parent)
    : HelpDialog(kCommandId, parent), m_image(image) {
    setWindowTitle(tr("Optional Features"));

    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    auto* boxes = new QHBoxLayout;
    int lists = 0;
    for (const OptionInfo& info : optionTable()) {
        if (info.encoding == OptionEncoding::BitZero) {
            boxes->addWidget(addCheckBox(info, language));
        } else {
            (lists++ < kLeftColumnRows ? left : right)
                ->addRow(QString::fromStdString(optionLabel(info.list, language)), addList(info, language));
        }
    }
    right->addRow(boxes);

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

QComboBox* OptionalFeaturesDlg::combo(OptionList list) const {
    const auto it = m_combos.find(list);
    return it == m_combos.end() ? nullptr : it->second;
}

QCheckBox* OptionalFeaturesDlg::checkBox(OptionList list) const {
    const auto it = m_boxes.find(list);
    return it == m_boxes.end() ? nullptr : it->second;
}

void OptionalFeaturesDlg::accept() {
    for (const auto& [list, combo] : m_combos) {
        if (combo->currentIndex() != m_shown[list]) {
            storeOptionSelection(list, combo->currentIndex(), m_image);
        }
    }
    for (const auto& [list, box] : m_boxes) {
        const int item = box->isChecked() ? 0 : 1;
        if (item != m_shown[list]) {
            storeOptionSelection(list, item, m_image);
        }
    }
    QDialog::accept();
}
