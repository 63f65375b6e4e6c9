#include "document/ProgramDoc.h"

#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/ProgramApp.h"
#include "document/ProgramView.h"
#include "frame/MainFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString systemReason(const DatFileResult& result) {
    return QString::fromLocal8Bit(result.detail.c_str());
}

} // namespace

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent) {}

QString CProgramDoc::fileFilter() {
    return tr("Radio data (*.dat);;All files (*)");
}

void CProgramDoc::setTitle(const QString& title) {
    if (title != m_strTitle) {
        m_strTitle = title;
        emit titleChanged();
    }
}

void CProgramDoc::setPathName(const QString& path) {
    m_strPathName = path;
    if (!path.isEmpty()) {
        setTitle(QFileInfo(path).fileName());
    }
}

void CProgramDoc::setModifiedFlag(bool modified) {
    if (modified != m_bModified) {
        m_bModified = modified;
        emit modifiedChanged();
    }
}

void CProgramDoc::setView(CProgramView* view) {
    m_pView = view;
}

CProgramView* CProgramDoc::view() const {
    return m_pView;
}

void CProgramDoc::onNewDocument() {
    m_image = CMemoryImage::newDocument();
    setTitle(byLanguage("Channel Information", "信道信息"));
    // A plain preset: no file is touched and the title stays.
    m_strPathName = iniText("Setup", "AppName");
    setModifiedFlag(false);
    g_bNewDocument = true;
}

bool CProgramDoc::onOpenDocument(const QString& path) {
    CMemoryImage loaded;
    const DatFileResult result = loadDatFile(QFile::encodeName(path).toStdString(), loaded);
    if (!result) {
        reportError(result, path, false);
        return false;
    }
    m_image = loaded;
    setPathName(path);
    setModifiedFlag(false);
    g_bNewDocument = false;
    return true;
}

bool CProgramDoc::onSaveDocument(const QString& path) {
    if (m_pView) {
        m_pView->UpdateImageFromGrid();
    }
    const DatFileResult result = saveDatFile(QFile::encodeName(path).toStdString(), m_image);
    if (!result) {
        reportError(result, path, true);
        return false;
    }
    return true;
}

bool CProgramDoc::doFileSave() {
    const QFileInfo file(m_strPathName);
    if (m_strPathName.isEmpty() || !file.isFile() || !file.isWritable()) {
        return doSave(QString());
    }
    return doSave(m_strPathName);
}

bool CProgramDoc::doSave(const QString& path) {
    if (m_pView && !m_pView->commitPendingEdit()) {
        return false;
    }
    QString target = path;
    if (target.isEmpty()) {
        QString proposed = m_strPathName;
        if (proposed.isEmpty()) {
            // The title up to the first character that a file name should not have.
            proposed = m_strTitle;
            const qsizetype bad = proposed.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
            if (bad >= 0) {
                proposed.truncate(bad);
            }
            proposed += QStringLiteral(".dat");
        }
        target = CFileDialog::getSaveFileName(dialogParent(), proposed, fileFilter(), QStringLiteral("dat"));
        if (target.isEmpty()) {
            return false;
        }
    }
    if (!onSaveDocument(target)) {
        return false;
    }
    setPathName(target);
    setModifiedFlag(false);
    return true;
}

QWidget* CProgramDoc::dialogParent() const {
    if (m_pView) {
        return m_pView->window();
    }
    CProgramApp* app = CProgramApp::instance();
    return app != nullptr ? app->mainFrame() : nullptr;
}

void CProgramDoc::reportError(const DatFileResult& result, const QString& path, bool saving) const {
    const QString file = QDir::toNativeSeparators(path);
    QString text;
    switch (result.error) {
    case DatFileError::DataFormat:
        text = QString::fromUtf8(dataFormatErrorText(g_bChinese));
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
    CMessageBox::show(dialogParent(), text);
}
