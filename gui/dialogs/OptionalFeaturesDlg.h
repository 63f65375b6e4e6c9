#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "options/Options.h"

#include <map>

class QCheckBox;
class QComboBox;

// Optional Features: the radio-wide options of the image. Opens on the image's bytes (a value
// outside a list shows no selection) and on OK writes every option byte; Cancel changes nothing.
class OptionalFeaturesDlg : public HelpDialog {
    Q_OBJECT
public:
    // Control ids, reported by F1.
    static constexpr int kIdPriority = 1006;
    static constexpr int kIdVox = 1007;
    static constexpr int kIdBeep = 1016;
    static constexpr int kIdBatterySaver = 1017;
    static constexpr int kIdSquelch = 1116;
    static constexpr int kIdTimeOut = 1118;
    static constexpr int kIdVoice = 1119;
    static constexpr int kIdMonitorKey = 1120;
    static constexpr int kIdVoxGain = 1121;
    static constexpr int kIdVoxDelay = 1140;

    OptionalFeaturesDlg(MemoryImage& image, Language language, QWidget* parent = nullptr);

    QComboBox* combo(OptionList list) const { return m_combos.at(list); }
    QCheckBox* beepBox() const { return m_chkBeep; }
    QCheckBox* batterySaverBox() const { return m_chkBatterySaver; }

    void accept() override;

private:
    QComboBox* addList(OptionList list, int id, Language language);

    MemoryImage& m_image;
    std::map<OptionList, QComboBox*> m_combos;
    // What each field showed when the dialog opened: only a field the user changed is stored,
    // so a byte the lists cannot show (a radio's own value) survives OK.
    std::map<OptionList, int> m_shown;
    bool m_beepShown = false;
    bool m_batterySaverShown = false;
    QCheckBox* m_chkBeep;
    QCheckBox* m_chkBatterySaver;
};
