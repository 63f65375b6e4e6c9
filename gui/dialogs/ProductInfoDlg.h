#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "channels/RadioModel.h"

#include <vector>

class QComboBox;
class ProgramIni;

// Product Information: the radio type and frequency band. Opens on the remembered choice (not
// the document's), or with nothing chosen when Program.ini does not list the document's type and
// band (an erased radio): the document has no band to show. A new type or band that leaves
// channels outside the band asks first whether to keep those channels as they are or clear them
// (Cancel goes back to the dialog). On OK, choice() is the type and band chosen, image() the
// document's image with them in its type and band bytes and the cleared channels erased,
// applied() its caption texts and band limits, and clearedChannels() the channels cleared; the
// caller applies and remembers them. The dialog changes nothing itself.
class ProductInfoDlg : public HelpDialog {
    Q_OBJECT
public:
    static constexpr int kIdType = 1013;
    static constexpr int kIdBand = 1014;

    ProductInfoDlg(const ProgramIni& ini, const radiomodel::Choice& remembered, const MemoryImage& image,
                   Language language = Language::English, QWidget* parent = nullptr);

    QComboBox* typeCombo() const { return m_typeCombo; }
    QComboBox* bandCombo() const { return m_bandCombo; }
    const radiomodel::Choice& choice() const { return m_choice; }
    const MemoryImage& image() const { return m_image; }
    const radiomodel::TypeAndBand& applied() const { return m_applied; }
    const std::vector<int>& clearedChannels() const { return m_cleared; }

    void accept() override;

private:
    void loadBands();

    const ProgramIni& m_ini;
    MemoryImage m_image;
    Language m_language;
    QComboBox* m_typeCombo;
    QComboBox* m_bandCombo;
    radiomodel::Choice m_choice;
    radiomodel::TypeAndBand m_applied;
    std::vector<int> m_cleared;
};
