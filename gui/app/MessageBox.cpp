#include "app/MessageBox.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QScreen>
#include <QSpacerItem>

namespace {

// What a title bar needs beside its caption: the window's icon and its buttons.
constexpr int kTitleBarControlsPx = 160;

} // namespace

const char* const MessageBox::kProductName = "Radio Programmer";
QString MessageBox::s_caption = QString::fromUtf8(MessageBox::kProductName);
bool MessageBox::s_answering = false;
std::deque<QMessageBox::StandardButton> MessageBox::s_answers;
std::vector<MessageBox::Shown> MessageBox::s_shown;

QMessageBox::StandardButton MessageBox::show(QWidget* parent, const QString& text, const QString& caption,
                                             QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                             const ButtonTexts& buttonTexts,
                                             QMessageBox::StandardButton defaultButton) {
    if (icon == QMessageBox::NoIcon) {
        icon =
            (buttons & (QMessageBox::Yes | QMessageBox::No)) ? QMessageBox::Question : QMessageBox::Warning;
    }
    const QString title = caption.isNull() ? s_caption : caption;
    if (s_answering) {
        s_shown.push_back({text, title, buttons, icon, buttonTexts, defaultButton});
        if (s_answers.empty()) {
            return escapeButton(buttons);
        }
        const QMessageBox::StandardButton answer = s_answers.front();
        s_answers.pop_front();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    for (auto it = buttonTexts.begin(); it != buttonTexts.end(); ++it) {
        if (QAbstractButton* button = box.button(it.key())) {
            button->setText(it.value());
        }
    }
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    }
    // The box sizes itself to its text; a short text would leave a caption that the window
    // manager cuts ("Pr… am"). A spacer as wide as the caption in a title bar's (larger, often
    // bold) font keeps it whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionPx = qMin(box.fontMetrics().horizontalAdvance(title) * 5 / 4 + kTitleBarControlsPx,
                                   box.screen()->availableGeometry().width());
        grid->addItem(new QSpacerItem(captionPx, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton MessageBox::escapeButton(QMessageBox::StandardButtons buttons) {
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons & b) {
            return b;
        }
    }
    return QMessageBox::NoButton;
}

void MessageBox::setApplicationCaption(const QString& caption) {
    s_caption = caption;
}

void MessageBox::resetApplicationCaption() {
    s_caption = QString::fromUtf8(kProductName);
}

QString MessageBox::applicationCaption() {
    return s_caption;
}

void MessageBox::setAnsweringMode(bool on) {
    s_answering = on;
    s_answers.clear();
    s_shown.clear();
}

void MessageBox::answerNext(QMessageBox::StandardButton button) {
    s_answers.push_back(button);
}

std::vector<MessageBox::Shown> MessageBox::takeShown() {
    std::vector<Shown> shown;
    shown.swap(s_shown);
    return shown;
}
