#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <deque>
#include <vector>

// Every message box of the program goes through here. It shows a QMessageBox with the given
// text, caption, buttons and icon and returns the button pressed.
//
// Tests switch on the answering mode: no box is shown, the next queued answer is returned (or,
// when the queue is empty, the box's escape button), and every box is recorded so the test
// can read what the user would have seen.
class MessageBox {
public:
    struct Shown {
        QString text;
        QString caption;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMap<QMessageBox::StandardButton, QString> buttonTexts;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    // Texts that replace the standard texts of some buttons ("Write Again" on Retry, say).
    using ButtonTexts = QMap<QMessageBox::StandardButton, QString>;

    // caption: a null string stands for the application caption. icon NoIcon picks the usual
    // one for the buttons: a warning for OK and OK/Cancel, a question for Yes/No(/Cancel).
    // defaultButton: the one Enter presses; NoButton leaves Qt's choice (the accepting one).
    static QMessageBox::StandardButton
    show(QWidget* parent, const QString& text, const QString& caption = QString(),
         QMessageBox::StandardButtons buttons = QMessageBox::Ok, QMessageBox::Icon icon = QMessageBox::NoIcon,
         const ButtonTexts& buttonTexts = {},
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // The product's name as the desktop entry gives it: the caption of the boxes before start-up
    // has read Program.ini.
    static const char* const kProductName;

    // The caption of every box that names none: the product's name (kProductName, then the one
    // Program.ini gives) until start-up sets the company name.
    static void setApplicationCaption(const QString& caption);
    static void resetApplicationCaption();
    static QString applicationCaption();

    static void setAnsweringMode(bool on);
    static void answerNext(QMessageBox::StandardButton button);
    static std::vector<Shown> takeShown();

private:
    static QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons);

    static QString s_caption;
    static bool s_answering;
    static std::deque<QMessageBox::StandardButton> s_answers;
    static std::vector<Shown> s_shown;
};
