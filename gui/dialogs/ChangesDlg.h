#pragma once

#include "compare/ImageCompare.h"
#include "dialogs/HelpDialog.h"

#include <QList>
#include <QString>

#include <map>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The differences between two images as a table: what differs, the channel, its value in the
// first image and in the second, under headings that name the two. The text above the table says
// what is compared; the buttons are the answers the caller offers, beside Cancel, and the dialog
// is accepted with the answer clicked.
class ChangesDlg : public HelpDialog {
    Q_OBJECT
public:
    enum class Answer {
        None,          // Cancel, or the dialog closed
        Write,         // write the document now
        OpenRadio,     // open what the radio holds as a new document
        WriteDocument, // write the document compared
    };

    // helpId: F1's context; beforeHeading and afterHeading name the columns of the two images.
    ChangesDlg(int helpId, const QString& title, const QString& text, const QString& beforeHeading,
               const QString& afterHeading, const std::vector<ImageDifference>& differences,
               const QList<Answer>& answers, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    // Advice under the differences: the channel check's findings for what is to be written, as
    // "Channel check: N findings" and their texts. None shows nothing.
    void setFindings(const QStringList& texts);
    QPlainTextEdit* findings() const { return m_findings; }
    // The button of an answer offered; nullptr for one not offered.
    QPushButton* button(Answer answer) const;
    Answer answer() const { return m_answer; }

private:
    QTreeWidget* m_list;
    QLabel* m_findingsLabel;
    QPlainTextEdit* m_findings;
    std::map<Answer, QPushButton*> m_buttons;
    Answer m_answer = Answer::None;
};
