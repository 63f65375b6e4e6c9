#include "document/ProgramDoc.h"

#include "app/AppContext.h"
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/SystemReason.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

namespace {

QString systemReason(const DatFileResult& result) {
    return SystemReason::text(result.detail);
}

} // namespace

// One change of the image: it has happened when the command is pushed, so the first redo does
// nothing; later ones, and every undo, put the other image back.
class ImageChange : public QUndoCommand {
public:
    ImageChange(ProgramDoc& doc, const QString& text, const MemoryImage& before, const MemoryImage& after)
        : QUndoCommand(text), m_doc(doc), m_before(before), m_after(after) {}

    void undo() override { m_doc.restoreImage(m_before); }
    void redo() override {
        if (!std::exchange(m_first, false)) {
            m_doc.restoreImage(m_after);
        }
    }

private:
    ProgramDoc& m_doc;
    MemoryImage m_before;
    MemoryImage m_after;
    bool m_first = true;
};

ProgramDoc::ProgramDoc(AppContext& context, QObject* parent) : QObject(parent), m_context(context) {
    connect(&m_undo, &QUndoStack::cleanChanged, this, &ProgramDoc::modifiedChanged);
}

ProgramDoc::~ProgramDoc() {
    // Clearing the steps on the way out is no change anybody needs to hear of.
    m_undo.disconnect(this);
}

void ProgramDoc::recordChange(const QString& text, const MemoryImage& before) {
    if (m_image != before) {
        m_undo.push(new ImageChange(*this, text, before, m_image));
    }
}

void ProgramDoc::applyChange(const QString& text, const MemoryImage& after) {
    const MemoryImage before = m_image;
    m_image = after;
    recordChange(text, before);
}

void ProgramDoc::restoreImage(const MemoryImage& image) {
    m_image = image;
    m_typeAndBand = radiomodel::describe(m_image, m_context.settings());
    setMainTitle(m_typeAndBand, m_context.language());
    emit imageReplaced();
}

QString ProgramDoc::fileFilter() {
    return tr("Radio data (*.dat);;All files (*)");
}

void ProgramDoc::setTitle(const QString& title) {
    if (title != m_title) {
        m_title = title;
        emit titleChanged();
    }
}

void ProgramDoc::setPathName(const QString& path) {
    m_pathName = path;
    m_hasFile = !path.isEmpty();
    if (!path.isEmpty()) {
        setTitle(QFileInfo(path).fileName());
    }
}

void ProgramDoc::setModifiedFlag(bool modified) {
    const bool was = isModified();
    m_modified = modified;
    if (!modified) {
        m_undo.setClean();
    }
    if (isModified() != was) {
        emit modifiedChanged();
    }
}

void ProgramDoc::onNewDocument() {
    m_image = MemoryImage::newDocument();
    setTitle(m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Channel Information")));
    // A plain preset: no file is touched and the title stays.
    m_pathName = QString::fromStdString(m_context.settings().appName());
    m_hasFile = false;
    m_undo.clear();
    setModifiedFlag(false);
    m_isNew = true;
    synchroniseModel();
    emit imageReplaced();
}

bool ProgramDoc::onOpenDocument(const QString& path, QWidget* dialogParent) {
    MemoryImage loaded;
    const DatFileResult result = loadDatFile(QFile::encodeName(path).toStdString(), loaded);
    if (!result) {
        reportError(result, path, false, dialogParent);
        return false;
    }
    m_image = loaded;
    setPathName(path);
    m_undo.clear();
    setModifiedFlag(false);
    m_isNew = false;
    synchroniseModel();
    emit imageReplaced();
    return true;
}

ProgramDoc::TransferScope::TransferScope(ProgramDoc& doc) : m_context(doc.m_context), m_doc(&doc) {
    m_context.setTransferRunning(true);
    doc.m_busy = true;
    emit doc.busyChanged();
}

ProgramDoc::TransferScope::~TransferScope() {
    m_context.setTransferRunning(false);
    if (m_doc) {
        m_doc->m_busy = false;
        emit m_doc->busyChanged();
    }
}

void ProgramDoc::replaceImage(const MemoryImage& image) {
    const MemoryImage before = m_image;
    m_image = image;
    m_isNew = false;
    synchroniseModel();
    emit imageReplaced();
    // One step back to what the document held: a read never throws edits away for good.
    m_undo.push(new ImageChange(*this, tr("Read from Radio"), before, m_image));
}

void ProgramDoc::takeImage(const MemoryImage& image, const QString& title) {
    setTitle(title);
    m_pathName.clear();
    m_hasFile = false;
    m_image = image;
    m_isNew = false;
    synchroniseModel();
    emit imageReplaced();
    setModifiedFlag(true);
}

void ProgramDoc::synchroniseModel() {
    m_typeAndBand = radiomodel::synchronise(m_image, m_isNew, m_context.userSettings(), m_context.settings());
    setMainTitle(m_typeAndBand, m_context.language());
}

void ProgramDoc::rememberTypeAndBand() {
    radiomodel::synchronise(m_image, false, m_context.userSettings(), m_context.settings());
}

void ProgramDoc::applyTypeAndBand(const radiomodel::TypeAndBand& applied) {
    m_typeAndBand = applied;
    setMainTitle(applied, Language::English);
}

void ProgramDoc::setMainTitle(const radiomodel::TypeAndBand& model, Language language) {
    m_mainTitle = QString::fromStdString(radiomodel::mainTitle(
        m_context.settings().languageText(m_context.languageSection(), LanguageText::AppName), model,
        language));
    emit modelChanged();
}

bool ProgramDoc::onSaveDocument(const QString& path, QWidget* dialogParent) {
    if (m_editor != nullptr) {
        m_editor->writeBack(m_image);
    }
    const DatFileResult result = saveDatFile(QFile::encodeName(path).toStdString(), m_image);
    if (!result) {
        reportError(result, path, true, dialogParent);
        return false;
    }
    return true;
}

bool ProgramDoc::doFileSave(QWidget* dialogParent) {
    const QFileInfo file(m_pathName);
    if (m_pathName.isEmpty() || !file.isFile() || !file.isWritable()) {
        return doSave(QString(), dialogParent);
    }
    return doSave(m_pathName, dialogParent);
}

bool ProgramDoc::doSave(const QString& path, QWidget* dialogParent) {
    if (m_editor != nullptr && !m_editor->commitPendingEdit()) {
        return false;
    }
    QString target = path;
    if (target.isEmpty()) {
        QString proposed = m_pathName;
        if (proposed.isEmpty()) {
            // The title up to the first character that a file name should not have.
            proposed = m_title;
            const qsizetype bad = proposed.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
            if (bad >= 0) {
                proposed.truncate(bad);
            }
            proposed += QStringLiteral(".dat");
        }
        target = FileDialog::getSaveFileName(dialogParent, proposed, fileFilter(), QStringLiteral("dat"));
        if (target.isEmpty()) {
            return false;
        }
    }
    if (!onSaveDocument(target, dialogParent)) {
        return false;
    }
    setPathName(target);
    setModifiedFlag(false);
    return true;
}

void ProgramDoc::reportError(const DatFileResult& result, const QString& path, bool saving,
                             QWidget* dialogParent) const {
    const QString file = QDir::toNativeSeparators(path);
    QString text;
    switch (result.error) {
    case DatFileError::DataFormat:
        text = QString::fromUtf8(dataFormatErrorText(m_context.language())) + QLatin1Char('\n') +
               (result.fileSize ? tr("%1 holds %2 bytes; a data file holds exactly %3.")
                                      .arg(file)
                                      .arg(*result.fileSize)
                                      .arg(image::kSize)
                                : tr("%1 is not a file.").arg(file));
        break;
    case DatFileError::Open:
    case DatFileError::Read:
        text = tr("Cannot open the file %1.\n%2").arg(file, systemReason(result));
        break;
    case DatFileError::Write:
        text = tr("Cannot save the file %1.\n%2\nThe document is still open; try another folder or name.")
                   .arg(file, systemReason(result));
        break;
    case DatFileError::None:
        return;
    }
    if (saving && result.error != DatFileError::Write) {
        text = tr("Cannot save the file %1.\n%2").arg(file, systemReason(result));
    }
    MessageBox::show(dialogParent, text);
}
