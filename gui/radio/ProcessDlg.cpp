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
    // While a transfer runs the focus rests here, where Enter does nothing.
    m_progress->setFocusPolicy(Qt::StrongFocus);
    m_progress->setAccessibleName(tr("Transfer progress"));
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
    setEnterStarts(true);
    m_cancel = false;
}

void ProcessDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setEnterStarts(true);
    m_btnOk->setFocus();
}

void ProcessDlg::setEnterStarts(bool starts) {
    // A button that takes the focus becomes the default when it is an auto-default one: while a
    // transfer runs neither may be, or a second Enter would press Cancel.
    m_btnOk->setAutoDefault(starts);
    m_btnCancel->setAutoDefault(starts);
    m_btnCancel->setDefault(false);
    m_btnOk->setDefault(starts);
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
    // The focus leaves OK before it is disabled, so that it does not pass on to Cancel.
    setEnterStarts(false);
    m_progress->setFocus();
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
