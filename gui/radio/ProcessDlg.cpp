#include "radio/ProcessDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

ProcessDlg::ProcessDlg(QWidget* parent)
    : QDialog(parent), m_lblStage(new QLabel), m_progress(new QProgressBar),
      m_lblNumber(new QLabel(QStringLiteral("0"))), m_btnOk(new QPushButton(tr("OK"))),
      m_btnCancel(new QPushButton(tr("Cancel"))) {
    setModal(false);
    m_progress->setRange(0, kRowCount);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(tr("Progress"));
    m_lblNumber->setAlignment(Qt::AlignCenter);
    m_lblNumber->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblNumber->setMinimumWidth(60);
    m_btnOk->setDefault(true);
    connect(m_btnOk, &QPushButton::clicked, this, &ProcessDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &ProcessDlg::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_lblStage, 0, 0, 1, 3);
    layout->addWidget(m_progress, 1, 0, 1, 3);
    layout->addWidget(m_btnOk, 2, 0);
    layout->addWidget(m_lblNumber, 2, 1);
    layout->addWidget(m_btnCancel, 2, 2);
    setMinimumWidth(320);
}

void ProcessDlg::prepare(const QString& caption) {
    setWindowTitle(caption);
    m_lblStage->clear();
    m_progress->setValue(0);
    m_lblNumber->setText(QStringLiteral("0"));
    m_btnOk->setEnabled(true);
    m_btnOk->setDefault(true);
    m_cancel = false;
}

void ProcessDlg::showEvent(QShowEvent* event) {
    // A transfer disabled OK, which moved the focus (and with it the default) to Cancel.
    QDialog::showEvent(event);
    m_btnCancel->setDefault(false);
    m_btnOk->setDefault(true);
    m_btnOk->setFocus();
}

bool ProcessDlg::isRunning() const {
    return isVisible() && !m_btnOk->isEnabled();
}

void ProcessDlg::stepIt() {
    if (m_progress->value() < 64) {
        m_progress->setValue(m_progress->value() + 1);
        m_lblNumber->setText(QString::number(m_progress->value()));
    }
}

void ProcessDlg::setStage(const QString& stage) {
    m_lblStage->setText(stage);
    m_progress->setValue(0);
    m_lblNumber->setText(QStringLiteral("0"));
}

int ProcessDlg::position() const {
    return m_progress->value();
}

void ProcessDlg::accept() {
    if (!m_btnOk->isEnabled()) {
        return; // a transfer is already running
    }
    m_btnOk->setEnabled(false);
    emit transferRequested();
}

void ProcessDlg::reject() {
    m_cancel = true;
    if (m_btnOk->isEnabled()) {
        hide(); // nothing was started
    } else {
        emit cancelRequested();
    }
}
