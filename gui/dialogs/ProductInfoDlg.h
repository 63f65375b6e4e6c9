#pragma once

#include "dialogs/HelpDialog.h"

#include "channels/RadioModel.h"

class QComboBox;
class CIniFile;
class ISettingsStore;

// Product Information: the radio type and frequency band. Opens on the remembered choice (not
// the document's); OK writes the choice into the image's type and band bytes and the
// remembered setting, and leaves in applied() the caption texts and band limits for the
// window and the view. Cancel changes nothing.
class CProductInfoDlg : public CHelpDialog {
    Q_OBJECT
public:
    static constexpr int kIdType = 1013;
    static constexpr int kIdBand = 1014;

    CProductInfoDlg(const CIniFile& ini, ISettingsStore& store, CMemoryImage& image, QWidget* parent = nullptr);

    QComboBox* typeCombo() const { return m_cbType; }
    QComboBox* bandCombo() const { return m_cbBand; }
    const radiomodel::TypeAndBand& applied() const { return m_applied; }

    void accept() override;

private:
    void loadBands();

    const CIniFile& m_ini;
    ISettingsStore& m_store;
    CMemoryImage& m_image;
    QComboBox* m_cbType;
    QComboBox* m_cbBand;
    radiomodel::TypeAndBand m_applied;
};
