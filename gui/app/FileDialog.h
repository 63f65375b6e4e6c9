#pragma once

#include <QString>

#include <deque>
#include <vector>

class QWidget;

// The program's file dialogs. Like MessageBox, tests can switch on an answering mode in which
// no dialog is shown: the next queued path is returned (an empty one, or an empty queue, is a
// cancelled dialog) and what the dialog proposed is recorded.
class FileDialog {
public:
    struct Shown {
        bool save = false;
        QString proposedPath; // absolute; empty for an Open dialog
        QString filter;
    };

    // An existing file, or an empty string when the user cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& filter);
    // The file to write; a name typed without an extension gets defaultSuffix. proposedPath is
    // the name the dialog starts with, relative names taken from the current directory.
    static QString getSaveFileName(QWidget* parent, const QString& proposedPath, const QString& filter,
                                   const QString& defaultSuffix);

    static void setAnsweringMode(bool on);
    static void answerNext(const QString& path);
    static std::vector<Shown> takeShown();

private:
    static QString nextAnswer(Shown shown);

    static bool s_answering;
    static std::deque<QString> s_answers;
    static std::vector<Shown> s_shown;
};
