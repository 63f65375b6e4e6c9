#include "fleet/FleetSession.h"

// A stand-in until the session's implementation lands: every port reports no radio.
FleetSession::FleetSession(const MemoryImage& master, FleetOptions options, Language language,
                           RadioHistory* history)
    : m_master(master), m_options(options), m_language(language), m_history(history) {}
std::string FleetSession::startProblem() const { return {}; }
std::vector<FleetRecord> FleetSession::runRound(const std::vector<FleetPort>& ports, IFleetObserver& observer) {
    ++m_rounds;
    std::vector<FleetRecord> round;
    for (size_t i = 0; i < ports.size(); ++i) {
        observer.onStage(i, JobStage::Backup);
        observer.onProgress(i, 51);
        FleetRecord record;
        record.round = m_rounds;
        record.port = ports[i];
        record.outcome = FleetOutcome::NoRadio;
        round.push_back(record);
        m_records.push_back(record);
    }
    return round;
}
const std::vector<FleetRecord>& FleetSession::records() const { return m_records; }
int FleetSession::roundsRun() const { return m_rounds; }
std::string fleetOutcomeText(const FleetRecord&, Language) { return "no radio"; }
std::string fleetCsvHeader() { return "radio,round,port,device,started,identity,outcome,changes,backup_id,seconds"; }
std::string fleetCsvLine(const FleetRecord& r) { return std::to_string(r.radio) + "," + std::to_string(r.round) + "," + r.port.name; }
bool fleetSucceeded(const std::vector<FleetRecord>&, const FleetOptions&) { return true; }
