#pragma once

#include "channels/RadioModel.h"
#include "image/DatFile.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>

class AppContext;

// A document: the radio's 1024-byte memory image, kept in .dat files that hold nothing but those
// bytes. It knows its title (shown in its window), its path (where Save writes), whether it
// has changes that are not saved, and what follows from its image: the radio type and band with
// their band limits, and the main window's caption while it is the active document.
//
// A new document's path is preset to [Setup] AppName of Program.ini: Save writes there without a
// dialog when a writable file of that name exists (relative to the current folder), and otherwise
// asks, proposing that name, or "<title up to its first blank>.dat" when it is empty.
//
// The document shows nothing: loading and saving return a DatFileResult, and the windows ask for
// file names and turn a failure into words.
class ProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit ProgramDoc(AppContext& context, QObject* parent = nullptr);
    ~ProgramDoc() override;

    // Filter of the file dialogs.
    static QString fileFilter();

    // Every change goes in through applyChange() (or a load, a read, New): never past the undo
    // stack.
    const MemoryImage& image() const { return m_image; }

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString pathName() const { return m_pathName; }
    // A path that names a file also becomes the title (its file name).
    void setPathName(const QString& path);
    // The file the document was loaded from or saved to last; empty while it has none (a new
    // document's preset path is no file of its own).
    QString filePath() const { return m_hasFile ? m_pathName : QString(); }

    // Unsaved changes: the undo stack is away from the state last saved or loaded, or the flag
    // was set (an image taken from elsewhere that has no file yet).
    bool isModified() const { return m_modified || !m_undo.isClean(); }
    // true sets the flag; false is a save: the flag clears and the undo stack's state becomes
    // the saved one.
    void setModifiedFlag(bool modified = true);

    // Every change of the image by the user or by a read from the radio is one step here.
    QUndoStack* undoStack() { return &m_undo; }
    // The image becomes `after` as one undo step named `text`; nothing is recorded, and nothing
    // emitted, when it is as it was. A new type or band byte brings typeAndBand() and the caption
    // along.
    void applyChange(const QString& text, const MemoryImage& after);

    // Made by File New and neither loaded nor read from the radio since: its image takes the
    // remembered radio type and band instead of giving them.
    bool isNew() const { return m_isNew; }
    // The radio type and band of the image, with their names and band limits.
    const radiomodel::TypeAndBand& typeAndBand() const { return m_typeAndBand; }
    // The main window's caption while this document is active: product, radio type and band.
    QString mainTitle() const { return m_mainTitle; }
    // Product Information's choice, already applied to the image and the remembered setting.
    // The caption takes the English labels, as the dialog shows them.
    void applyTypeAndBand(const radiomodel::TypeAndBand& applied);
    // Makes the image's type and band the remembered choice, as when it was loaded: the user
    // has turned to this document among several.
    void rememberTypeAndBand();

    // True while a transfer with the radio works on this document: nothing may change, save,
    // close or replace it meanwhile.
    bool isBusy() const { return m_busy; }

    // Marks the document busy, and the serial line taken, for as long as it exists. The
    // document may go first: the line is still given free.
    class TransferScope {
    public:
        explicit TransferScope(ProgramDoc& doc);
        ~TransferScope();
        TransferScope(const TransferScope&) = delete;
        TransferScope& operator=(const TransferScope&) = delete;

    private:
        AppContext& m_context;
        QPointer<ProgramDoc> m_doc;
    };

    // The image of a new document, its title "Channel Information" and the preset path.
    void onNewDocument();
    // Loads a file: on success it is the document's file and nothing is modified; on failure
    // the document is as it was and the result says why.
    DatFileResult open(const QString& path);
    // An image read from the radio replaces the document's: it is no longer new, and it is
    // modified until saved.
    void replaceImage(const MemoryImage& image);
    // A new document holds `image` from elsewhere (the radio history) under `title`; like a
    // read, it is modified until saved, and it has no file yet.
    void takeImage(const MemoryImage& image, const QString& title);

    // Whether File Save has to ask for a file, as Save As always does: the path names no
    // existing, writable file.
    bool needsFileName() const;
    // The file name the Save As dialog proposes: the path, or the title up to the first
    // character a file name should not have, with ".dat".
    QString proposedFileName() const;
    // Writes the editor's working copy into the image, then the image into path. On success
    // path is the document's file and nothing is modified; on failure the old file, if any, is
    // as it was and the result says why.
    DatFileResult save(const QString& path);

signals:
    void titleChanged();
    void modifiedChanged();
    // The image changed: an edit, undo or redo, New, a load, a read, an image taken over.
    void imageChanged();
    // typeAndBand() and mainTitle() changed.
    void modelChanged();
    // isBusy() changed.
    void busyChanged();

private:
    // The image's type and band bytes and the remembered choice in line, in the direction
    // isNew() gives; then the names, limits and caption from Program.ini.
    void synchroniseModel();
    // Undo and redo: the image becomes `image` again; type, band and caption follow it, the
    // remembered choice stays.
    void restoreImage(const MemoryImage& image);
    friend class ImageChange;
    void setMainTitle(const radiomodel::TypeAndBand& model, Language language);

    AppContext& m_context;
    MemoryImage m_image;
    QString m_title;
    QString m_pathName;
    bool m_hasFile = false;
    bool m_modified = false;
    bool m_isNew = false;
    radiomodel::TypeAndBand m_typeAndBand;
    QString m_mainTitle;
    bool m_busy = false;
    QUndoStack m_undo;
};
