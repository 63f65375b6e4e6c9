#pragma once

#include "dialogs/HelpDialog.h"

#include "channels/RadioModel.h"

class QComboBox;
class IniFile;
class ISettingsStore;

// Product Information: the radio type and frequency band. Opens on the remembered choice (not
// the document's); OK writes the choice into the image's type and band bytes and the
// remembered setting, and leaves in applied() the caption texts and band limits for the
// window and the view. Cancel changes nothing.
class ProductInfoDlg : public HelpDialog {
    Q_OBJECT
public:
    static constexpr int kIdType = 1013;
    static constexpr int kIdBand = 1014;

    ProductInfoDlg(const IniFile& ini, ISettingsStore& store, MemoryImage& image, QWidget* parent = nullptr);

    QComboBox* typeCombo() const { return m_typeCombo; }
    QComboBox* bandCombo() const { return m_bandCombo; }
    const radiomodel::TypeAndBand& applied() const { return m_applied; }

    void accept() override;

private:
    void loadBands();

    const IniFile& m_ini;
    ISettingsStore& m_store;
    MemoryImage& m_image;
    QComboBox* m_typeCombo;
    QComboBox* m_bandCombo;
    radiomodel::TypeAndBand m_applied;
};
