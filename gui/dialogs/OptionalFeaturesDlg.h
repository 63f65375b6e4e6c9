#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "options/Options.h"

#include <map>

class QCheckBox;
class QComboBox;

// Optional Features: the radio-wide options of the image, one row each from the option table:
// a list for each option, a check box for each bit. Opens on the image's bytes (a value outside
// a list shows no selection); on OK image() is the image with every option the user changed,
// for the caller to apply. The dialog changes nothing itself. The control ids F1 reports are
// the table's help ids.
class OptionalFeaturesDlg : public HelpDialog {
    Q_OBJECT
public:
    OptionalFeaturesDlg(const MemoryImage& image, Language language, QWidget* parent = nullptr);

    // The list of an option, nullptr for a check box.
    QComboBox* combo(OptionList list) const;
    // The check box of a bit option, nullptr for a list.
    QCheckBox* checkBox(OptionList list) const;

    // The image it opened on, after OK with the options chosen.
    const MemoryImage& image() const { return m_image; }

    void accept() override;

private:
    QComboBox* addList(const OptionInfo& info, Language language);
    QCheckBox* addCheckBox(const OptionInfo& info, Language language);

    MemoryImage m_image;
    std::map<OptionList, QComboBox*> m_combos;
    std::map<OptionList, QCheckBox*> m_boxes;
    // What each field showed when the dialog opened: only a field the user changed is stored,
    // so a byte the lists cannot show (a radio's own value) survives OK.
    std::map<OptionList, int> m_shown;
};
