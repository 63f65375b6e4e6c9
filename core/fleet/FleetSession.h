#pragma once

#include "image/MemoryImage.h"
#include "radio/RadioJob.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

class RadioHistory;

enum class FleetMode { Write, Check };
struct FleetOptions {
    FleetMode mode = FleetMode::Write;
    bool verify = true;
    bool changedOnly = false;
    bool fix = false;
    bool allowOtherIdentity = false;
};
enum class FleetOutcome { Written, UpToDate, Drifted, InStep, NoRadio, Failed, OtherIdentity };
struct FleetPort {
    std::string name;
    std::string device;
};
struct FleetRecord {
    int radio = 0;
    int round = 0;
    FleetPort port;
    std::string started;
    std::string identity;
    FleetOutcome outcome = FleetOutcome::Failed;
    int changes = 0;
    std::vector<std::string> drift;
    JobStage stage = JobStage::Backup;
    std::string reason;
    std::string backupId;
    double seconds = 0;
};
class IFleetObserver {
public:
    virtual ~IFleetObserver() = default;
    virtual void onStage(size_t portIndex, JobStage stage) = 0;
    virtual void onProgress(size_t portIndex, int row) = 0;
    virtual bool cancelled() = 0;
};
class FleetSession {
public:
    FleetSession(const MemoryImage& master, FleetOptions options, Language language, RadioHistory* history);
    std::string startProblem() const;
    std::vector<FleetRecord> runRound(const std::vector<FleetPort>& ports, IFleetObserver& observer);
    const std::vector<FleetRecord>& records() const;
    int roundsRun() const;

private:
    MemoryImage m_master;
    FleetOptions m_options;
    Language m_language;
    RadioHistory* m_history;
    std::vector<FleetRecord> m_records;
    int m_rounds = 0;
};
std::string fleetOutcomeText(const FleetRecord& record, Language language);
std::string fleetCsvHeader();
std::string fleetCsvLine(const FleetRecord& record);
bool fleetSucceeded(const std::vector<FleetRecord>& records, const FleetOptions& options);
