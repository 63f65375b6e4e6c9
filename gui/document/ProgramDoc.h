#pragma once

#include "image/DatFile.h"
#include "image/MemoryImage.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CProgramView;
class QWidget;

// A document: the radio's 1024-byte memory image, kept in .dat files that hold nothing but those
// bytes. It knows its title (shown in its window), its path (where Save writes) and whether it
// has changes that are not saved.
//
// A new document's path is preset to [Setup] AppName of Program.ini: Save writes there without a
// dialog when a writable file of that name exists (relative to the current folder), and otherwise
// asks, proposing that name, or "<title up to its first blank>.dat" when it is empty.
class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(QObject* parent = nullptr);

    // Filter of the file dialogs.
    static QString fileFilter();

    CMemoryImage& image() { return m_image; }
    const CMemoryImage& image() const { return m_image; }

    QString title() const { return m_strTitle; }
    void setTitle(const QString& title);
    QString pathName() const { return m_strPathName; }
    // A path that names a file also becomes the title (its file name).
    void setPathName(const QString& path);

    bool isModified() const { return m_bModified; }
    // Every change of the image by the user or by a read from the radio sets the flag; saving
    // clears it.
    void setModifiedFlag(bool modified = true);

    // The view that shows this document; its grid is written back into the image before a save.
    void setView(CProgramView* view);
    CProgramView* view() const;

    // The image of a new document, its title "Channel Information" and the preset path.
    void onNewDocument();
    // Loads a file. On failure the image is unchanged and the reason has been shown.
    bool onOpenDocument(const QString& path);
    // Writes the view's grid back into the image, then the image into path. On failure the
    // reason has been shown and the old file, if any, is as it was.
    bool onSaveDocument(const QString& path);

    // File Save: to the document's file when it is an existing, writable file, else as Save As.
    bool doFileSave();
    // Saves to path, or with an empty path asks for the file first (Save As). False when the
    // user cancelled or the save failed.
    bool doSave(const QString& path);

signals:
    void titleChanged();
    void modifiedChanged();

private:
    QWidget* dialogParent() const;
    void reportError(const DatFileResult& result, const QString& path, bool saving) const;

    CMemoryImage m_image;
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    QPointer<CProgramView> m_pView;
};
