#include "app/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

bool FileDialog::s_answering = false;
std::deque<QString> FileDialog::s_answers;
std::vector<FileDialog::Shown> FileDialog::s_shown;

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
    if (s_answering) {
        return nextAnswer({false, QString(), filter});
    }
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDirectory(QDir::current());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                    const QString& defaultSuffix) {
    const QString proposed =
        proposedPath.isEmpty() ? QString() : QDir::current().absoluteFilePath(proposedPath);
    if (s_answering) {
        return nextAnswer({true, proposed, filter});
    }
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    if (proposed.isEmpty()) {
        dialog.setDirectory(QDir::current());
    } else {
        dialog.setDirectory(QFileInfo(proposed).absolutePath());
        dialog.selectFile(QFileInfo(proposed).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
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
    std::vector<Shown> shown;
    shown.swap(s_shown);
    return shown;
}
