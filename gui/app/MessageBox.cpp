#include "app/MessageBox.h"

QString CMessageBox::s_strCaption = QStringLiteral("Program");
bool CMessageBox::s_bAnswering = false;
std::deque<QMessageBox::StandardButton> CMessageBox::s_answers;
std::vector<CMessageBox::Shown> CMessageBox::s_shown;

QMessageBox::StandardButton CMessageBox::show(QWidget* parent, const QString& text, const QString& caption,
                                              QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
    if (icon == QMessageBox::NoIcon) {
        icon =
            (buttons & (QMessageBox::Yes | QMessageBox::No)) ? QMessageBox::Question : QMessageBox::Warning;
    }
    const QString title = caption.isNull() ? s_strCaption : caption;
    if (s_bAnswering) {
        s_shown.push_back({text, title, buttons, icon});
        if (s_answers.empty()) {
            return escapeButton(buttons);
        }
        const QMessageBox::StandardButton answer = s_answers.front();
        s_answers.pop_front();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton CMessageBox::escapeButton(QMessageBox::StandardButtons buttons) {
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons & b) {
            return b;
        }
    }
    return QMessageBox::NoButton;
}

void CMessageBox::setApplicationCaption(const QString& caption) {
    s_strCaption = caption;
}

QString CMessageBox::applicationCaption() {
    return s_strCaption;
}

void CMessageBox::setAnsweringMode(bool on) {
    s_bAnswering = on;
    s_answers.clear();
    s_shown.clear();
}

void CMessageBox::answerNext(QMessageBox::StandardButton button) {
    s_answers.push_back(button);
}

std::vector<CMessageBox::Shown> CMessageBox::takeShown() {
    std::vector<Shown> shown;
    shown.swap(s_shown);
    return shown;
}
