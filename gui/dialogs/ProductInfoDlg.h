#pragma once

#include "dialogs/HelpDialog.h"
#include "text/CoreTexts.h"

#include "channels/RadioModel.h"

#include <vector>

class QComboBox;
class ProgramIni;
class ISettingsStore;

// Product Information: the radio type and frequency band. Opens on the remembered choice (not
// the document's), or with nothing chosen when Program.ini does not list the document's type and
// band (an erased radio): the document has no band to show. OK writes the choice into the
// image's type and band bytes and the remembered setting, and leaves in applied() the caption
// texts and band limits for the window and the view. A new type or band that leaves channels
// outside the band asks first whether to keep those channels as they are or clear them
// (Cancel goes back to the dialog); clearedChannels() tells which were cleared. Cancel changes
// nothing.
class ProductInfoDlg : public HelpDialog {
    Q_OBJECT
public:
    static constexpr int kIdType = 1013;
    static constexpr int kIdBand = 1014;

    ProductInfoDlg(const ProgramIni& ini, ISettingsStore& store, MemoryImage& image,
                   Language language = Language::English, QWidget* parent = nullptr);

    QComboBox* typeCombo() const { return m_typeCombo; }
    QComboBox* bandCombo() const { return m_bandCombo; }
    const radiomodel::TypeAndBand& applied() const { return m_applied; }
    const std::vector<int>& clearedChannels() const { return m_cleared; }

    void accept() override;

private:
    void loadBands();

    const ProgramIni& m_ini;
    ISettingsStore& m_store;
    MemoryImage& m_image;
    Language m_language;
    QComboBox* m_typeCombo;
    QComboBox* m_bandCombo;
    radiomodel::TypeAndBand m_applied;
    std::vector<int> m_cleared;
};
