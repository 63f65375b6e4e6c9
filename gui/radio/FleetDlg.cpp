#include "radio/FleetDlg.h"

#include "ReportPainter.h"
#include "app/AppContext.h"
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "history/RadioHistory.h"
#include "platform/AtomicFile.h"
#include "radio/RadioTransfer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowsPerTransfer = 51;

// The outcome's colour, as a light background behind black text so that every row stays legible:
// green for a radio that ends as the master, amber for drift, red for a radio left as it was
// against the user's wish, grey for a port without a radio.
QColor outcomeColour(FleetOutcome outcome) {
    switch (outcome) {
    case FleetOutcome::Written:
    case FleetOutcome::UpToDate:
    case FleetOutcome::InStep:
        return QColor(0xc8, 0xf0, 0xc8);
    case FleetOutcome::Drifted:
        return QColor(0xff, 0xe0, 0x99);
    case FleetOutcome::NoRadio:
        return QColor(0xe4, 0xe4, 0xe4);
    case FleetOutcome::Failed:
    case FleetOutcome::OtherIdentity:
        break;
    }
    return QColor(0xff, 0xb8, 0xb8);
}

} // namespace

// The session's observer on the worker thread: it touches nothing of the user interface and posts
// each stage and row to the dialog.
class FleetDlg::Observer : public IFleetObserver {
public:
    Observer(FleetDlg& dialog, std::vector<int> ports) : m_dialog(dialog), m_ports(std::move(ports)) {}

    void onStage(size_t portIndex, JobStage stage) override {
        QMetaObject::invokeMethod(
            &m_dialog, [dialog = &m_dialog, port = port(portIndex), stage] { dialog->onStage(port, stage); },
            Qt::QueuedConnection);
    }

    void onProgress(size_t portIndex, int row) override {
        QMetaObject::invokeMethod(
            &m_dialog,
            [dialog = &m_dialog, port = port(portIndex), row] {
                if (port >= 0) {
                    dialog->m_portBars[static_cast<size_t>(port)]->setValue(row);
                }
            },
            Qt::QueuedConnection);
    }

    bool cancelled() override { return m_dialog.m_cancel.load(); }

private:
    int port(size_t portIndex) const { return portIndex < m_ports.size() ? m_ports[portIndex] : -1; }

    FleetDlg& m_dialog;
    std::vector<int> m_ports;
};

FleetDlg::FleetDlg(AppContext& context, const MemoryImage& master, const QString& masterName,
                   const QString& transferPort, QPrinter& printer, QWidget* parent)
    : HelpDialog(id::kProgramSeveralRadios, parent), m_context(context), m_master(master),
      m_masterName(masterName), m_printer(printer),
      m_history(std::make_unique<RadioHistory>(context.historyFolder())),
      m_checkOnly(new QCheckBox(tr("Chec&k only: read and compare, write nothing"))),
      m_verify(new QCheckBox(tr("&Verify after writing"))),
      m_changedOnly(new QCheckBox(tr("Write only c&hanged rows"))),
      m_fix(new QCheckBox(tr("&Fix radios that drifted"))),
      m_allowOther(new QCheckBox(tr("&Allow another model (another identification)"))),
      m_table(new QTableWidget(0, ColumnCount)), m_status(new QLabel),
      m_next(new QPushButton(tr("&Next Round"))), m_stop(new QPushButton(tr("&Stop"))),
      m_saveLog(new QPushButton(tr("Save &Log..."))), m_print(new QPushButton(tr("&Print Summary..."))),
      m_close(new QPushButton(tr("Close"))) {
    setObjectName(QStringLiteral("FleetDlg"));
    setWindowTitle(tr("Program Several Radios"));

    // COM1..COM4 as Com Setup shows them, each with the device it stands for now.
    auto* ports = new QGroupBox(tr("Ports"));
    auto* portGrid = new QGridLayout(ports);
    const std::vector<PortDescription> described =
        RadioTransfer::describePorts(context, DeviceTree(context.deviceRoot()));
    for (const PortDescription& port : described) {
        const int index = static_cast<int>(m_portBoxes.size());
        auto* box = new QCheckBox(QString::fromStdString(port.name));
        box->setChecked(QString::fromStdString(port.name).compare(transferPort, Qt::CaseInsensitive) == 0);
        auto* device =
            new QLabel(port.device.empty() ? tr("no device")
                                           : QDir::toNativeSeparators(QString::fromStdString(port.device)));
        auto* bar = new QProgressBar;
        bar->setRange(0, kRowsPerTransfer);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setMaximumHeight(12);
        // Only a ticked port has a bar; the others keep its room so that nothing moves.
        QSizePolicy keep = bar->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        bar->setSizePolicy(keep);
        bar->setAccessibleName(tr("Progress on %1").arg(box->text()));
        auto* stage = new QLabel;
        portGrid->addWidget(box, index, 0);
        portGrid->addWidget(device, index, 1);
        portGrid->addWidget(bar, index, 2);
        portGrid->addWidget(stage, index, 3);
        portGrid->setColumnStretch(2, 1);
        connect(box, &QCheckBox::toggled, this, &FleetDlg::updateControls);
        m_portBoxes.push_back(box);
        m_portBars.push_back(bar);
        m_portLabels.push_back(stage);
    }

    auto* choices = new QGroupBox(tr("Options"));
    auto* choiceGrid = new QGridLayout(choices);
    m_verify->setChecked(true);
    choiceGrid->addWidget(m_verify, 0, 0);
    choiceGrid->addWidget(m_changedOnly, 0, 1);
    choiceGrid->addWidget(m_checkOnly, 1, 0);
    choiceGrid->addWidget(m_fix, 1, 1);
    choiceGrid->addWidget(m_allowOther, 2, 0, 1, 2);
    for (QCheckBox* box : {m_checkOnly, m_verify, m_changedOnly, m_fix, m_allowOther}) {
        connect(box, &QCheckBox::toggled, this, &FleetDlg::updateControls);
    }

    m_table->setObjectName(QStringLiteral("FleetTable"));
    m_table->setAccessibleName(tr("Radios"));
    m_table->setHorizontalHeaderLabels({tr("Radio"), tr("Round"), tr("Port"), tr("Identification"),
                                        tr("Outcome"), tr("Changes"), tr("Backup"), tr("Seconds")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(OutcomeColumn, QHeaderView::Stretch);
    m_table->installEventFilter(this);

    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_next, QDialogButtonBox::ActionRole);
    buttons->addButton(m_stop, QDialogButtonBox::ActionRole);
    buttons->addButton(m_saveLog, QDialogButtonBox::ActionRole);
    buttons->addButton(m_print, QDialogButtonBox::ActionRole);
    buttons->addButton(m_close, QDialogButtonBox::RejectRole);
    m_next->setDefault(true);
    m_next->setAutoDefault(true);
    for (QPushButton* other : {m_stop, m_saveLog, m_print, m_close}) {
        other->setAutoDefault(false);
    }
    connect(m_next, &QPushButton::clicked, this, &FleetDlg::startRound);
    connect(m_stop, &QPushButton::clicked, this, &FleetDlg::stop);
    connect(m_saveLog, &QPushButton::clicked, this, &FleetDlg::saveLog);
    connect(m_print, &QPushButton::clicked, this, &FleetDlg::printSummary);
    connect(buttons, &QDialogButtonBox::rejected, this, &FleetDlg::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(ports, 1);
    top->addWidget(choices);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    resize(860, 520);

    // A master without a channel in use gives nothing to write: the dialog says so and starts nothing.
    const std::string problem =
        FleetSession(m_master, options(), m_context.language(), nullptr).startProblem();
    if (!problem.empty()) {
        m_stopped = true;
        m_status->setText(QString::fromStdString(problem));
    }
    updateControls();
    m_next->setFocus();
}

FleetDlg::~FleetDlg() {
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

FleetOptions FleetDlg::options() const {
    FleetOptions options;
    options.mode = m_checkOnly->isChecked() ? FleetMode::Check : FleetMode::Write;
    options.verify = m_verify->isChecked();
    options.changedOnly = m_changedOnly->isChecked();
    options.fix = m_fix->isChecked();
    options.allowOtherIdentity = m_allowOther->isChecked();
    return options;
}

std::vector<int> FleetDlg::tickedPorts() const {
    std::vector<int> ticked;
    for (size_t i = 0; i < m_portBoxes.size(); ++i) {
        if (m_portBoxes[i]->isChecked()) {
            ticked.push_back(static_cast<int>(i));
        }
    }
    return ticked;
}

QString FleetDlg::promptText() const {
    QStringList names;
    for (int port : tickedPorts()) {
        names << m_portBoxes[static_cast<size_t>(port)]->text();
    }
    if (names.isEmpty()) {
        return tr("Tick the ports whose cables are connected.");
    }
    // The separator of a list of names, ", " in English, "、" in Chinese.
    return tr("Connect the next radio to %1, switch it on and press Enter or Space.")
        .arg(names.join(tr(", ")));
}

void FleetDlg::updateControls() {
    const bool running = isRoundRunning();
    const bool started = m_session != nullptr;
    const bool check = m_checkOnly->isChecked();
    for (size_t i = 0; i < m_portBoxes.size(); ++i) {
        m_portBoxes[i]->setEnabled(!running && !m_stopped);
        m_portBars[i]->setVisible(m_portBoxes[i]->isChecked());
    }
    // The options hold for the whole session.
    m_checkOnly->setEnabled(!started);
    m_verify->setEnabled(!started && (!check || m_fix->isChecked()));
    m_changedOnly->setEnabled(!started && (!check || m_fix->isChecked()));
    m_fix->setEnabled(!started && check);
    m_allowOther->setEnabled(!started);
    m_next->setEnabled(!running && !m_stopped && !tickedPorts().empty());
    m_stop->setEnabled(started && !m_stopped);
    m_saveLog->setEnabled(!running && !m_records.empty());
    m_print->setEnabled(!running && !m_records.empty());
    if (!running && !m_stopped) {
        m_status->setText(promptText());
    }
}

void FleetDlg::startRound() {
    if (isRoundRunning() || m_stopped) {
        return;
    }
    const std::vector<int> ticked = tickedPorts();
    std::vector<FleetPort> ports;
    for (int index : ticked) {
        const QString name = m_portBoxes[static_cast<size_t>(index)]->text();
        const std::string device = RadioTransfer::resolvePort(m_context, name);
        if (device.empty()) {
            MessageBox::show(this,
                             tr("No serial device stands for %1 on this computer: plug its cable in, or "
                                "choose its device in Setup, Com Setup, or untick it.")
                                 .arg(name));
            return;
        }
        ports.push_back({name.toStdString(), device});
    }
    if (ports.empty()) {
        return;
    }
    if (!m_session) {
        m_session =
            std::make_unique<FleetSession>(m_master, options(), m_context.language(), m_history.get());
    }
    m_roundPorts = ticked;
    for (size_t i = 0; i < m_portBars.size(); ++i) {
        m_portBars[i]->setValue(0);
        m_portLabels[i]->clear();
    }
    m_cancel = false;
    m_context.setTransferRunning(true);
    m_status->setText(tr("Round %1 runs on %n port(s)...", nullptr, static_cast<int>(ports.size()))
                          .arg(m_session->roundsRun() + 1));
    m_worker = std::thread([this, ports, observed = ticked]() {
        Observer observer(*this, observed);
        const std::vector<FleetRecord> round = m_session->runRound(ports, observer);
        QMetaObject::invokeMethod(
            this, [this, round] { onRoundDone(round); }, Qt::QueuedConnection);
    });
    updateControls();
}

void FleetDlg::onStage(int port, JobStage stage) {
    if (port < 0) {
        return;
    }
    m_portBars[static_cast<size_t>(port)]->setValue(0);
    m_portLabels[static_cast<size_t>(port)]->setText(
        QString::fromUtf8(jobStageText(stage, m_context.language())));
}

void FleetDlg::onRoundDone(const std::vector<FleetRecord>& round) {
    // The worker has posted this as its last act.
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_context.setTransferRunning(false);
    for (const FleetRecord& record : round) {
        m_records.push_back(record);
        addRow(record);
    }
    for (QLabel* label : m_portLabels) {
        label->clear();
    }
    updateControls();
    if (m_stopped && m_session) {
        m_status->setText(
            tr("The session has ended: %n radio(s) in %1 round(s).", nullptr,
               static_cast<int>(std::count_if(m_records.begin(), m_records.end(),
                                              [](const FleetRecord& r) { return r.radio > 0; })))
                .arg(m_session->roundsRun()));
    }
    m_next->setFocus();
}

void FleetDlg::addRow(const FleetRecord& record) {
    const Language language = m_context.language();
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    const QString texts[ColumnCount] = {
        record.radio > 0 ? QString::number(record.radio) : QStringLiteral("-"),
        QString::number(record.round),
        QString::fromStdString(record.port.name),
        QString::fromStdString(record.identity),
        QString::fromStdString(fleetOutcomeText(record, language)),
        record.outcome == FleetOutcome::NoRadio ? QString() : QString::number(record.changes),
        QString::fromStdString(record.backupId),
        QString::number(record.seconds, 'f', 1),
    };
    for (int column = 0; column < ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        // A screen reader reads the cell's text; an empty cell says so, as in the channel grid.
        item->setData(Qt::AccessibleTextRole, texts[column].isEmpty() ? tr("empty") : texts[column]);
        if (column == OutcomeColumn) {
            item->setBackground(outcomeColour(record.outcome));
            item->setForeground(Qt::black);
            item->setToolTip(texts[column]);
        }
        m_table->setItem(row, column, item);
    }
    // A failure's reason shows whole, over as many lines as it takes.
    m_table->resizeRowToContents(row);
    m_table->scrollToBottom();
}

void FleetDlg::stop() {
    m_stopped = true;
    if (isRoundRunning()) {
        m_status->setText(tr("The session ends when this round has ended."));
    } else {
        onRoundDone({});
    }
    updateControls();
}

bool FleetDlg::saveLog() {
    if (m_records.empty()) {
        return false;
    }
    const QString path = FileDialog::getSaveFileName(
        this, QStringLiteral("fleet.csv"), tr("CSV files (*.csv);;All files (*)"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return false;
    }
    std::string csv = fleetCsvHeader() + "\n";
    for (const FleetRecord& record : m_records) {
        csv += fleetCsvLine(record) + "\n";
    }
    std::string error;
    if (!platform::writeFileAtomically(QFile::encodeName(path).toStdString(), csv, error)) {
        MessageBox::show(this, tr("Cannot save the file %1.\n%2")
                                   .arg(QDir::toNativeSeparators(path), SystemReason::text(error)));
        return false;
    }
    return true;
}

void FleetDlg::printSummary() {
    const std::string owner =
        m_context.settings().languageText(m_context.languageSection(), LanguageText::CopyrightsOwner);
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(tr("Print Summary"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, owner](QPrinter* printer) {
        paintFleetReport(*printer, m_records, m_masterName.toStdString(), m_context.language(), owner);
    });
    preview.exec();
}

void FleetDlg::keyPressEvent(QKeyEvent* event) {
    // Space anywhere the focused control leaves it starts the next round, as Enter does.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        startRound();
        return;
    }
    HelpDialog::keyPressEvent(event);
}

bool FleetDlg::eventFilter(QObject* watched, QEvent* event) {
    // The table would take Space to select a row; here it means the next round.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            startRound();
            return true;
        }
    }
    return HelpDialog::eventFilter(watched, event);
}

void FleetDlg::reject() {
    // Closing while a round runs cancels its jobs; each radio is left as its job's cancel leaves it.
    if (isRoundRunning()) {
        m_cancel = true;
        m_worker.join();
        m_context.setTransferRunning(false);
    }
    HelpDialog::reject();
}
