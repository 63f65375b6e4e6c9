#include "document/ProgramView.h"

#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/LanguageDlg.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "app/ProcessStarter.h"
#include "app/Resource.h"
#include "editor/ChannelGridEditor.h"
#include "editor/MSFlexGrid.h"
#include "radio/ComSetupDlg.h"
#include "radio/ProcessDlg.h"
#include "ReportPainter.h"
#include "radio/RadioTransfer.h"
#include "report/Report.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

CProgramView::CProgramView(AppContext& context, CProgramDoc* doc, QWidget* parent)
    : QWidget(parent), m_context(context), m_pDocument(doc) {
    setObjectName(QStringLiteral("ProgramView"));
    setFont(CDialogUnits::templateFont());
    const CDialogUnits du(font());
    setFixedSize(du.size(kFormWidth, kFormHeight));

    m_pCaption = new QLabel(this);
    m_pCaption->setObjectName(QStringLiteral("Caption"));
    m_pCaption->setTextFormat(Qt::PlainText);
    m_pCaption->setAlignment(Qt::AlignCenter);
    m_pCaption->setGeometry(du.rect(14, 13, 370, 17));
    QFont captionFont;
    captionFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    captionFont.setPointSize(12);
    m_pCaption->setFont(captionFont);
    QPalette red = m_pCaption->palette();
    red.setColor(QPalette::WindowText, QColor(250, 10, 10));
    m_pCaption->setPalette(red);

    m_pGrid = new CMSFlexGrid(this);
    m_pGrid->setObjectName(QStringLiteral("ChannelGrid"));
    m_pGrid->setProperty(kHelpIdProperty, id::kChannelGrid);
    m_pGrid->setGeometry(du.rect(15, 37, 370, 167));
    m_pGridEditor = new CChannelGridEditor(m_pGrid, m_context.isChinese(), this);
    // Every committed change of a cell is a change of the document.
    connect(m_pGridEditor, &CChannelGridEditor::changed, this, [this] { m_pDocument->setModifiedFlag(true); });

    m_pLanguageDlg = new CLanguageDlg(m_context, this);
    // Modeless: the main window stays usable while it is open. The transfer starts from the
    // event loop, after the click that asked for it has been handled.
    m_pProcessDlg = new CProcessDlg(this);
    m_pProcessDlg->setWindowFlags(Qt::Dialog);
    connect(m_pProcessDlg, &CProcessDlg::transferRequested, this, &CProgramView::onRadioTransfer,
            Qt::QueuedConnection);
    m_pDocument->setEditor(this);
    connect(m_pDocument, &CProgramDoc::imageReplaced, this, &CProgramView::UpdateGridFromImage);
    connect(m_pDocument, &CProgramDoc::modelChanged, this,
            [this] { m_pGridEditor->setBandLimits(m_pDocument->typeAndBand().limits); });
    m_pGridEditor->setBandLimits(m_pDocument->typeAndBand().limits);
}

CProgramView::~CProgramView() {
    if (m_pDocument) {
        m_pDocument->setEditor(nullptr);
    }
}

void CProgramView::onInitialUpdate() {
    if (m_bFirstUpdate) {
        // The caption in the user interface's language, whatever section "Language" names.
        m_pCaption->setText(m_context.iniText(m_context.isChinese() ? "Chinese" : "English", "Title"));
        m_pGridEditor->buildGrid();
        m_bFirstUpdate = false;
    }
    if (const QIcon icon = CPictures::titleIcon(m_context.appDir()); !icon.isNull()) {
        for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
                frame->setWindowIcon(icon);
                break;
            }
        }
    }
    UpdateGridFromImage();
}

void CProgramView::UpdateGridFromImage() {
    if (m_bFirstUpdate) {
        return; // the grid is built and filled by onInitialUpdate
    }
    m_pGridEditor->table().decode(m_pDocument->image());
    m_pGridEditor->refresh();
}

// The grid editor holds the limits: they are what its commits check against.
int32_t CProgramView::freqMin10Hz() const { return m_pGridEditor->bandLimits().min10Hz; }

int32_t CProgramView::freqMax10Hz() const { return m_pGridEditor->bandLimits().max10Hz; }

void CProgramView::writeBack(CMemoryImage& image) { m_pGridEditor->table().encode(image); }

bool CProgramView::commitPendingEdit() { return m_pGridEditor->commitPendingEdit(); }

void CProgramView::onLanguage() {
    const int result = m_pLanguageDlg->exec();
    if (!m_pLanguageDlg->changed() || result != QDialog::Accepted) {
        return;
    }
    // The main window closes first (asking about unsaved changes); if the user keeps it open,
    // the stored language waits for the next start.
    QWidget* frame = window();
    if (!frame->close()) {
        return;
    }
    CProcessStarter::start(QCoreApplication::applicationFilePath());
}

void CProgramView::onRead() { openProcessDialog(false); }

void CProgramView::onWrite() { openProcessDialog(true); }

void CProgramView::openProcessDialog(bool write) {
    if (m_context.isTransferRunning()) {
        return; // one transfer at a time, also from another document window
    }
    if (m_pProcessDlg->isVisible()) {
        m_pProcessDlg->raise();
        return;
    }
    m_bWrite = write;
    m_pProcessDlg->prepare(write ? m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Write Data"))
                                 : m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Read Data")));
    m_pProcessDlg->show();
    const QRect screen = window()->geometry();
    m_pProcessDlg->move(screen.center() - m_pProcessDlg->rect().center());
}

void CProgramView::onComSetup() {
    CComSetupDlg dlg(CRadioTransfer::portCandidates(m_context), m_context.userSettings(), window());
    if (dlg.exec() == QDialog::Accepted) {
        m_strPort = dlg.portName();
    }
}

void CProgramView::onRadioTransfer() {
    if (m_context.isTransferRunning()) {
        // Another document's transfer holds the line (this OK came through its event pumps).
        m_pProcessDlg->hide();
        return;
    }
    // The direction is taken once: the dialog, once open, ignores Read and Write.
    const bool write = m_bWrite;
    commitPendingEdit();
    if (write) {
        writeBack(m_pDocument->image());
    }
    CRadioTransfer transfer(m_context, *m_pProcessDlg, window());
    // A read fills a copy, which replaces the document's image only when it is complete.
    CMemoryImage image = m_pDocument->image();
    TransferResult result;
    {
        const AppContext::TransferScope running(m_context);
        result = transfer.run(write ? TransferDirection::Write : TransferDirection::Read, m_strPort, image);
    }
    m_pProcessDlg->hide();
    transfer.showResult(result, m_strPort);
    if (!result.ok()) {
        return;
    }
    if (!write) {
        m_pDocument->replaceImage(image);
    }
    // A hidden document window comes back to show what was read or written.
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
            if (frame->isHidden()) {
                frame->showNormal();
            }
            break;
        }
    }
}

bool CProgramView::printReport(QPrinter& printer) {
    const std::string owner = m_context.settings().GetString(m_context.language(), report::kOwnerKey, "");
    return paintReport(printer, m_pDocument->image(), m_pGridEditor->table().channels(), m_context.isChinese(),
                       owner);
}

void CProgramView::onFilePrint(QPrinter& printer) {
    commitPendingEdit();
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() == QDialog::Accepted && !printReport(printer)) {
        CMessageBox::show(window(),
                          m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "The report could not be printed.")));
    }
}

void CProgramView::onFilePrintPreview(QPrinter& printer) {
    commitPendingEdit();
    QPrintPreviewDialog dialog(&printer, window());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printReport(*p); });
    dialog.exec();
}
