#include "document/ProgramDoc.h"

#include "app/AppContext.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

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

void ProgramDoc::applyChange(const QString& text, const MemoryImage& after) {
    if (after == m_image) {
        return;
    }
    const MemoryImage before = m_image;
    if (after.radioType() != before.radioType() || after.band() != before.band()) {
        restoreImage(after);
    } else {
        // The caption stays as it is: it may show Product Information's English labels.
        m_image = after;
        emit imageChanged();
    }
    m_undo.push(new ImageChange(*this, text, before, after));
}

void ProgramDoc::restoreImage(const MemoryImage& image) {
    m_image = image;
    m_typeAndBand = radiomodel::describe(m_image, m_context.settings());
    setMainTitle(m_typeAndBand, m_context.language());
    emit imageChanged();
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
    emit imageChanged();
}

DatFileResult ProgramDoc::open(const QString& path) {
    MemoryImage loaded;
    const DatFileResult result = loadDatFile(QFile::encodeName(path).toStdString(), loaded);
    if (!result) {
        return result;
    }
    m_image = loaded;
    setPathName(path);
    m_undo.clear();
    setModifiedFlag(false);
    m_isNew = false;
    synchroniseModel();
    emit imageChanged();
    return result;
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
    emit imageChanged();
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
    emit imageChanged();
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

bool ProgramDoc::needsFileName() const {
    const QFileInfo file(m_pathName);
    return m_pathName.isEmpty() || !file.isFile() || !file.isWritable();
}

QString ProgramDoc::proposedFileName() const {
    if (!m_pathName.isEmpty()) {
        return m_pathName;
    }
    // The title up to the first character that a file name should not have.
    QString proposed = m_title;
    const qsizetype bad = proposed.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
    if (bad >= 0) {
        proposed.truncate(bad);
    }
    return proposed + QStringLiteral(".dat");
}

DatFileResult ProgramDoc::save(const QString& path) {
    const DatFileResult result = saveDatFile(QFile::encodeName(path).toStdString(), m_image);
    if (result) {
        setPathName(path);
        setModifiedFlag(false);
    }
    return result;
}
