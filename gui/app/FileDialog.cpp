#include "app/FileDialog.h"

#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char* const kLastFolder = "LastFolder";

} // namespace

ISettingsStore* FileDialog::s_folderStore = nullptr;
bool FileDialog::s_answering = false;
std::deque<QString> FileDialog::s_answers;
std::vector<FileDialog::Shown> FileDialog::s_shown;

void FileDialog::setFolderStore(ISettingsStore* store) {
    s_folderStore = store;
}

QString FileDialog::startFolder() {
    if (s_folderStore != nullptr) {
        const QString last = QFile::decodeName(s_folderStore->readText(kLastFolder, std::string()).c_str());
        if (!last.isEmpty() && QFileInfo(last).isDir()) {
            return last;
        }
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void FileDialog::rememberFolder(const QString& chosenPath) {
    if (s_folderStore != nullptr && !chosenPath.isEmpty()) {
        // Not kept is no reason to bother the user: the next dialog starts where it can.
        s_folderStore->writeText(kLastFolder,
                                 QFile::encodeName(QFileInfo(chosenPath).absolutePath()).toStdString());
    }
}

QString FileDialog::nextAnswer(Shown shown) {
    s_shown.push_back(std::move(shown));
    if (s_answers.empty()) {
        return QString();
    }
    QString answer = s_answers.front();
    s_answers.pop_front();
    return answer;
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter) {
    const QString folder = startFolder();
    QString chosen;
    if (s_answering) {
        chosen = nextAnswer({false, QString(), filter, folder});
    } else {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(filter);
        dialog.setDirectory(folder);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().constFirst();
        }
    }
    rememberFolder(chosen);
    return chosen;
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                    const QString& defaultSuffix) {
    const QString folder = startFolder();
    const QString proposed = proposedPath.isEmpty() ? QString() : QDir(folder).absoluteFilePath(proposedPath);
    QString chosen;
    if (s_answering) {
        chosen = nextAnswer(
            {true, proposed, filter, proposed.isEmpty() ? folder : QFileInfo(proposed).absolutePath()});
    } else {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(defaultSuffix);
        if (proposed.isEmpty()) {
            dialog.setDirectory(folder);
        } else {
            dialog.setDirectory(QFileInfo(proposed).absolutePath());
            dialog.selectFile(QFileInfo(proposed).fileName());
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            chosen = dialog.selectedFiles().constFirst();
        }
    }
    rememberFolder(chosen);
    return chosen;
}

void FileDialog::setAnsweringMode(bool on) {
    s_answering = on;
    s_answers.clear();
    s_shown.clear();
}

void FileDialog::answerNext(const QString& path) {
    s_answers.push_back(path);
}

std::vector<FileDialog::Shown> FileDialog::takeShown() {
    std::vector<FileDialog::Shown> shown;
    shown.swap(s_shown);
    return shown;
}
