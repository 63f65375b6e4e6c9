#include "app/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

bool CFileDialog::s_bAnswering = false;
std::deque<QString> CFileDialog::s_answers;
std::vector<CFileDialog::Shown> CFileDialog::s_shown;

QString CFileDialog::nextAnswer(Shown shown) {
    s_shown.push_back(std::move(shown));
    if (s_answers.empty()) {
        return QString();
    }
    QString answer = s_answers.front();
    s_answers.pop_front();
    return answer;
}

QString CFileDialog::getOpenFileName(QWidget* parent, const QString& filter) {
    if (s_bAnswering) {
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

QString CFileDialog::getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                     const QString& defaultSuffix) {
    const QString proposed =
        proposedPath.isEmpty() ? QString() : QDir::current().absoluteFilePath(proposedPath);
    if (s_bAnswering) {
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

void CFileDialog::setAnsweringMode(bool on) {
    s_bAnswering = on;
    s_answers.clear();
    s_shown.clear();
}

void CFileDialog::answerNext(const QString& path) {
    s_answers.push_back(path);
}

std::vector<CFileDialog::Shown> CFileDialog::takeShown() {
    std::vector<Shown> shown;
    shown.swap(s_shown);
    return shown;
}
