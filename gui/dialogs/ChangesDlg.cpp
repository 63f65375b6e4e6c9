#include "dialogs/ChangesDlg.h"

#include "app/FitToTable.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char* answerText(ChangesDlg::Answer answer) {
    switch (answer) {
    case ChangesDlg::Answer::Write:
        return QT_TRANSLATE_NOOP("ChangesDlg", "&Write");
    case ChangesDlg::Answer::OpenRadio:
        return QT_TRANSLATE_NOOP("ChangesDlg", "&Open the Radio's Contents");
    case ChangesDlg::Answer::WriteDocument:
        return QT_TRANSLATE_NOOP("ChangesDlg", "&Write This Document");
    case ChangesDlg::Answer::None:
        break;
    }
    return "";
}

} // namespace

ChangesDlg::ChangesDlg(int helpId, const QString& title, const QString& text, const QString& beforeHeading,
                       const QString& afterHeading, const std::vector<ImageDifference>& differences,
                       const QList<Answer>& answers, QWidget* parent)
    : HelpDialog(helpId, parent), m_list(new QTreeWidget), m_findingsLabel(new QLabel),
      m_findings(new QPlainTextEdit) {
    setObjectName(QStringLiteral("ChangesDlg"));
    setWindowTitle(title);
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("What"), tr("Channel"), beforeHeading, afterHeading});
    for (const ImageDifference& difference : differences) {
        new QTreeWidgetItem(m_list, {QString::fromStdString(difference.what),
                                     difference.channel > 0 ? QString::number(difference.channel) : QString(),
                                     QString::fromStdString(difference.before),
                                     QString::fromStdString(difference.after)});
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    for (const Answer answer : answers) {
        QPushButton* button = buttons->addButton(tr(answerText(answer)), QDialogButtonBox::AcceptRole);
        m_buttons[answer] = button;
        connect(button, &QPushButton::clicked, this, [this, answer] {
            m_answer = answer;
            accept();
        });
    }
    // Enter keeps things as they are: Cancel is the default.
    if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
        cancel->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 3);
    m_findingsLabel->setBuddy(m_findings);
    m_findings->setAccessibleName(tr("Channel check"));
    m_findings->setReadOnly(true);
    m_findingsLabel->hide();
    m_findings->hide();
    layout->addWidget(m_findingsLabel);
    layout->addWidget(m_findings, 1);
    layout->addWidget(buttons);
    resizeToTable(this, m_list, 480, 360);
}

void ChangesDlg::setFindings(const QStringList& texts) {
    m_findings->setPlainText(texts.join(QLatin1Char('\n')));
    m_findingsLabel->setText(tr("Channel check: %n finding(s), advice only:", nullptr, texts.size()));
    m_findingsLabel->setVisible(!texts.isEmpty());
    m_findings->setVisible(!texts.isEmpty());
    if (!texts.isEmpty()) {
        resize(width(), height() + 140);
    }
}

QPushButton* ChangesDlg::button(Answer answer) const {
    const auto found = m_buttons.find(answer);
    return found != m_buttons.end() ? found->second : nullptr;
}
