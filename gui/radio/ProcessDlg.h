#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The modeless progress dialog of a transfer. OK disables itself and asks for the transfer
// to start; Cancel before OK closes the dialog (nothing is sent), Cancel during the transfer
// asks the transfer to stop (cancelRequested), which it does at its next pump point. Every
// time the dialog opens, OK is the default button and has the focus, so Enter starts. While the
// transfer runs no button is the default and the focus is on the progress bar: Enter does
// nothing, and Escape, a click on Cancel or Tab to it and Space cancel.
class ProcessDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRowCount = 51;

    explicit ProcessDlg(QWidget* parent = nullptr);

    // Resets bar, number, flag and OK, and sets the caption ("Read Data" / "Write Data").
    void prepare(const QString& caption);
    bool isCancelled() const { return m_cancel; }
    bool isRunning() const;
    // One row done: steps the bar and shows the number of rows (1..51).
    void stepIt();
    // A session of the transfer begins (backup, write, verify): its name above the bar, and the
    // bar and number from 0 again.
    void setStage(const QString& stage);
    QLabel* stageLabel() const { return m_lblStage; }
    int position() const;

    QPushButton* okButton() const { return m_btnOk; }
    QPushButton* cancelButton() const { return m_btnCancel; }
    QLabel* numberLabel() const { return m_lblNumber; }
    QProgressBar* progressBar() const { return m_progress; }

signals:
    void transferRequested();
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void accept() override;
    void reject() override;

private:
    // OK the default (and auto-default) button, or no button at all.
    void setEnterStarts(bool starts);

    QLabel* m_lblStage;
    QProgressBar* m_progress;
    QLabel* m_lblNumber;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    bool m_cancel = false;
};
