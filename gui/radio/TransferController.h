#pragma once

#include "document/ProgramDoc.h"
#include "image/MemoryImage.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class AppContext;
class ProcessDlg;
class QMainWindow;
class RadioTransfer;
struct JobResult;
enum class JobChoice;

// Program, Read, Write and Compare with Radio, and Setup, COM Setup, for every document of one
// main window: there is one transfer at a time. It owns the progress dialog and the running transfer, applies
// a read to its document, and after a failed write starts the write that the recovery choice the user took
// stands for (jobChoices, RadioTransfer::showResult).
//
// The progress dialog opens for one document and one direction; while it is open, Read and Write
// only raise it. Its OK starts the transfer from the document's image as it is then; the document
// is busy until the transfer ends. A document destroyed meanwhile takes nothing: its transfer
// runs to its end, and a failure is still told.
class TransferController : public QObject {
    Q_OBJECT
public:
    // window: the progress dialog, the questions and the status bar texts are the main window's.
    TransferController(AppContext& context, QMainWindow* window);
    ~TransferController() override;

    // Program, Read: opens the progress dialog for doc.
    void read(ProgramDoc* doc);
    // Program, Write: first names channels outside the document's band, or a document with no
    // channel in use, and asks; Enter keeps the radio as it is. Then as read(). After the backup,
    // with Show Changes Before Writing, the job waits while the user sees what the write changes
    // and answers Write or Cancel; a radio that already holds the document is not written.
    void write(ProgramDoc* doc);
    // Program, Compare with Radio: reads the radio as read() does, into nothing but the radio
    // history, and shows how the radio differs from doc (showComparison).
    void compareWithRadio(ProgramDoc* doc);
    // Where `other` (the radio's contents, or a file's) differs from doc, with the choice to write
    // doc at once and, for the radio, to open its contents as a new document. Equal ones say so.
    // fromRadio: `other` is what the radio sent (rows 0 to 50 count, and it may be opened);
    // otherwise a file's image, all of whose rows count.
    void showComparison(ProgramDoc* doc, const MemoryImage& other, const QString& otherName, bool fromRadio);
    // Setup, COM Setup: the port chosen becomes the port of every transfer (AppContext).
    void comSetup();

    ProcessDlg* processDialog() const { return m_processDlg; }

signals:
    // A transfer began or ended: the serial line is taken or free again.
    void runningChanged();
    // A transfer ended well; the window of doc, hidden or not, is to show what was read or written.
    void transferDone(ProgramDoc* doc);
    // The user asked for the radio's contents as a new document with this title.
    void openImageRequested(const MemoryImage& image, const QString& title);

private:
    // What the progress dialog was opened for.
    enum class Mode { Read, Write, Compare };

    // A write the user has already decided on: a recovery choice after a failed one, Write
    // Anyway, or Write This Document after a comparison. It shows no changes first.
    struct RecoveryWrite {
        std::optional<MemoryImage> restore; // sent instead of the document, without a backup
        bool backup = true;                 // false: the document without a backup, this once
        bool force = false;                 // write even what the radio already holds
    };

    // False when the user keeps the radio as it is.
    bool confirmWrite(const ProgramDoc& doc);
    void openProcessDialog(ProgramDoc* doc, Mode mode);
    // On the user-interface thread, after the backup: what writing `image` over `backup` changes,
    // Write or Cancel. True for Write.
    bool confirmChanges(const MemoryImage& backup, const MemoryImage& image);
    // The dialog's OK: starts the transfer in the direction the dialog was opened for.
    void onRadioTransfer();
    // The transfer's result, applied to the document in one step.
    void onTransferFinished(const JobResult& result, const MemoryImage& image);
    // Starts the write that `choice` stands for after the write that ended with `result`;
    // `sent` is the image that write sent.
    void recover(JobChoice choice, const JobResult& result, const MemoryImage& sent);
    // Opens the dialog for a write and starts it at once.
    void startWrite(RecoveryWrite write);
    // What a transfer did, in the main window's status bar until the next prompt there.
    void showStatus(const QString& text);

    AppContext& m_context;
    QMainWindow* m_window;
    ProcessDlg* m_processDlg;
    RadioTransfer* m_transfer;
    QPointer<ProgramDoc> m_document;         // the dialog's, and the running transfer's
    Mode m_mode = Mode::Read;                // what the dialog was opened for
    QString m_transferPort;                  // the port the transfer that runs uses
    bool m_transferVerifies = false;         // the write that runs reads the radio back
    Mode m_transferMode = Mode::Read;        // what the transfer that runs is for
    bool m_restoring = false;                // it writes back what the radio held before
    std::string m_readId;                    // the history entry of the last comparison's read
    std::optional<RecoveryWrite> m_recovery; // what the next write sends, when a choice asked
    std::unique_ptr<ProgramDoc::TransferScope> m_busy;
};
