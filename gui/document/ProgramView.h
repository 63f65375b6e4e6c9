#pragma once

#include "channels/Formats.h"
#include "document/ProgramDoc.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

class AppContext;
class CChannelGridEditor;
class CProcessDlg;
class QPrinter;
class CLanguageDlg;
class CMSFlexGrid;
class QLabel;

// The channel view: a fixed form with the caption line ("Title" of Program.ini, red, 12 points)
// above the channel grid, edited in place. It also owns the commands that act on the document's
// radio.
//
// The grid's texts are the working copy of the channels: UpdateGridFromImage decodes the image
// into them whenever the document's image is replaced, writeBack() encodes them into the image
// before a save or a write to the radio, and commitPendingEdit finishes an edit that is under way
// in a cell. The band limits the grid checks follow the document's radio type and band.
class CProgramView : public QWidget, public IDocumentEditor {
    Q_OBJECT
public:
    // Form size in template units, and the places of the caption and of the grid in it.
    static constexpr int kFormWidth = 398;
    static constexpr int kFormHeight = 218;

    CProgramView(AppContext& context, CProgramDoc* doc, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* document() const { return m_pDocument; }

    // After the window is shown: the caption text on the first call, then the window icon and
    // the decoding of the image.
    void onInitialUpdate();

    void UpdateGridFromImage();
    bool commitPendingEdit() override;
    void writeBack(CMemoryImage& image) override;

    // The band of the radio type, in 10 Hz units; 0 and 0 when Program.ini names none.
    int32_t freqMin10Hz() const;
    int32_t freqMax10Hz() const;

    QLabel* captionLabel() const { return m_pCaption; }
    CMSFlexGrid* grid() const { return m_pGrid; }
    CChannelGridEditor* gridEditor() const { return m_pGridEditor; }
    CLanguageDlg* languageDialog() const { return m_pLanguageDlg; }

    // The serial port a transfer opens: "COM1" until the user confirms COM Setup.
    QString portName() const { return m_strPort; }
    CProcessDlg* processDialog() const { return m_pProcessDlg; }

public slots:
    // Setup, Language: stores the other language and restarts the program in it.
    void onLanguage();
    // Program, Read and Write: open the progress dialog; its OK starts the transfer. While the
    // dialog is open they do nothing, so its caption and the direction always agree.
    void onRead();
    void onWrite();
    void onComSetup();
    // The transfer in the direction the dialog was opened for.
    void onRadioTransfer();
    // File, Print and Print Preview: the report of the grid as it shows (an open edit is
    // committed first) and of the image's options, on the given printer.
    void onFilePrint(QPrinter& printer);
    void onFilePrintPreview(QPrinter& printer);
    // Draws the report on the printer; false when the printer could not be painted on.
    bool printReport(QPrinter& printer);

private:
    AppContext& m_context;
    QPointer<CProgramDoc> m_pDocument;
    QLabel* m_pCaption;
    CMSFlexGrid* m_pGrid;
    CChannelGridEditor* m_pGridEditor;
    bool m_bFirstUpdate = true;
    CLanguageDlg* m_pLanguageDlg;
    CProcessDlg* m_pProcessDlg;
    QString m_strPort = QStringLiteral("COM1");
    bool m_bWrite = false;

    void openProcessDialog(bool write);
};
