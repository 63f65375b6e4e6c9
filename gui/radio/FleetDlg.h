#pragma once

#include "dialogs/HelpDialog.h"

#include "fleet/FleetSession.h"
#include "image/MemoryImage.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class AppContext;
class QCheckBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTableWidget;
class RadioHistory;

// Program, Program Several Radios: gives a fleet of radios the active document's image, one round
// at a time, one radio on every port ticked (COM1..COM4 as Com Setup resolves them). The user
// connects the radios and presses Next Round (Enter or Space); the round runs on a worker thread
// (FleetSession::runRound) while each ticked port shows its progress, and every radio adds one row
// to the table: its number, round, port, identification, the outcome in words and colour, the
// changes, the backup's history id and the seconds taken. The options hold for the whole session
// and are fixed with its first round. Stop ends the session once the round that runs has ended;
// closing the dialog cancels the round that runs. Save Log writes the session's CSV; Print Summary
// previews and prints one line per radio (buildFleetReport).
class FleetDlg : public HelpDialog {
    Q_OBJECT
public:
    // master: the document's image as it is now; masterName names it on the printed summary;
    // transferPort: the port of the document's transfers, ticked at first.
    FleetDlg(AppContext& context, const MemoryImage& master, const QString& masterName,
             const QString& transferPort, QPrinter& printer, QWidget* parent = nullptr);
    // Cancels a round that runs and waits for it.
    ~FleetDlg() override;

    // The table's columns.
    enum Column {
        RadioColumn,
        RoundColumn,
        PortColumn,
        IdentityColumn,
        OutcomeColumn,
        ChangesColumn,
        BackupColumn,
        SecondsColumn,
        ColumnCount
    };

    bool isRoundRunning() const { return m_worker.joinable(); }
    const std::vector<FleetRecord>& records() const { return m_records; }

    QTableWidget* table() const { return m_table; }
    QCheckBox* portBox(int index) const { return m_portBoxes.at(static_cast<size_t>(index)); }
    QProgressBar* portProgress(int index) const { return m_portBars.at(static_cast<size_t>(index)); }
    QCheckBox* checkOnlyBox() const { return m_checkOnly; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* stopButton() const { return m_stop; }
    QPushButton* saveLogButton() const { return m_saveLog; }
    QPushButton* printButton() const { return m_print; }
    QLabel* statusLabel() const { return m_status; }

    // Next Round: starts a round on the ports ticked; says why when it cannot.
    void startRound();
    // Stop: no round after the one that runs.
    void stop();
    // Save Log: the session's CSV through the file dialog. False when nothing was written.
    bool saveLog();
    void printSummary();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    class Observer;
    FleetOptions options() const;
    std::vector<int> tickedPorts() const;
    // A job on the port (0..3) begins a stage: its bar starts again.
    void onStage(int port, JobStage stage);
    void onRoundDone(const std::vector<FleetRecord>& round);
    void addRow(const FleetRecord& record);
    void updateControls();
    QString promptText() const;

    AppContext& m_context;
    MemoryImage m_master;
    QString m_masterName;
    QPrinter& m_printer;
    std::unique_ptr<RadioHistory> m_history;
    std::unique_ptr<FleetSession> m_session;
    std::vector<FleetRecord> m_records;
    std::vector<QCheckBox*> m_portBoxes;
    std::vector<QLabel*> m_portLabels;
    std::vector<QProgressBar*> m_portBars;
    QCheckBox* m_checkOnly;
    QCheckBox* m_verify;
    QCheckBox* m_changedOnly;
    QCheckBox* m_fix;
    QCheckBox* m_allowOther;
    QTableWidget* m_table;
    QLabel* m_status;
    QPushButton* m_next;
    QPushButton* m_stop;
    QPushButton* m_saveLog;
    QPushButton* m_print;
    QPushButton* m_close;
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    bool m_stopped = false;        // the session ends with the round that runs, or has ended
    std::vector<int> m_roundPorts; // the ports (0..3) of the round that runs
};
