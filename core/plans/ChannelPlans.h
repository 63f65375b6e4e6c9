#pragma once

#include "channels/Channel.h"
#include "channels/Formats.h"
#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Channel plans: channel lists in the CSV exchange layout (see ChannelCsv) with an optional
// description beside them (<name>.ini, section [Plan]):
//
//   Name, Region, Service, Licence (Yes/No), Rule, Source, Unconfirmed   texts
//   Bandwidth            Narrow or Wide: the widest the service allows
//   PowerLimitDeciW      the most the service allows, tenths of a watt
//   PowerLimit           the limit as the rule words it ("0.5 W ERP")
//   Bandwidth<n>, PowerLimitDeciW<n>, PowerLimit<n>   the same for row n of the list only
//
// The built-in plans are in <shipped data>/plans, a user's own in <user data>/<AppName>/plans.
// A list may have more than sixteen rows; a plan is applied a range of rows at a time.

// One row of a plan with the service's limits for it.
struct PlanChannel {
    std::string name;           // the list's Name column
    Channel channel;            // as the list sets it, bandwidth as the service allows
    bool narrowOnly = false;    // the service allows no more than 12.5 kHz
    int powerLimitDeciW = 0;    // the most the service allows; 0 when the plan says nothing
    std::string powerLimitText; // the same as the rule words it ("0.5 W ERP"); "" when not given
};

struct ChannelPlan {
    std::string name;
    std::string region;
    std::string service; // the service the plan's frequencies belong to; the name when not given
    std::string rule;
    std::string source;
    std::string unconfirmed;           // what of the rule and its source the plan's authors did not check
    std::optional<bool> licenceNeeded; // none for a plain list
    bool builtIn = false;
    bool hasDescription = false;
    std::vector<PlanChannel> channels;
};

// A list that could not be read, and why (the CSV import's problems, in the language asked).
struct PlanProblem {
    std::string path;
    std::string reason;
};

struct PlanLoad {
    std::vector<ChannelPlan> plans;    // built-in plans first, each group by name
    std::vector<PlanProblem> problems; // lists left out
};

namespace channelplans {

// A plan from the text of its list and of its description ("" for none). The list is read with
// the CSV import's rules, whatever band (any frequency the image can hold); rows count from 1
// in file order. Nullopt, with the reason in `problem`, when the list does not read.
std::optional<ChannelPlan> parsePlan(std::string_view name, std::string_view csvText,
                                     std::string_view iniText, Language language, std::string* problem);

// Every <name>.csv of `folder` with <name>.ini beside it when there is one; a missing folder
// gives no plans. Unreadable files are named in the problems; the others still load.
PlanLoad loadFolder(const std::string& folder, bool builtIn, Language language);

// The built-in plans of shippedDataDir/plans and the user's of userDataDir/<appFolder>/plans.
PlanLoad loadAll(const std::string& shippedDataDir, const std::string& userPlansDir, Language language);

// <user data>/<AppName>/plans, or "" when there is no user data folder.
std::string userPlansDir(const std::string& appName);

// A row's power limit as the rule words it ("0.5 W ERP"), else in watts ("2 W"); "" when the
// plan says nothing.
std::string powerLimitWords(const PlanChannel& row);

// A row's tones: the receive tone, and the transmit tone after it when they differ ("67.0 / None").
std::string tonesText(const Channel& channel, Language language);

// Whether every frequency of the plan lies in `band` (as far as the image can hold it); when
// not, the reason, naming the first frequency outside and the band.
struct Applicability {
    bool applicable = false;
    std::string reason; // "" when applicable
};
Applicability applicability(const ChannelPlan& plan, BandLimits band, Language language);

// Which rows of the plan go where. Rows firstRow..lastRow (1-based, inclusive; 0 for the last
// row) go to channels fromChannel, fromChannel + 1, ..., as far as channel 16. With
// replaceAll, the other channels become empty.
struct ApplyRequest {
    int firstRow = 1;
    int lastRow = 0;
    int fromChannel = 1;
    bool replaceAll = false;
};

struct PlanRefusal {
    int row = 0;     // the plan's row, 0 for the request as a whole
    int channel = 0; // the channel it would have gone to, 0 when none
    std::string reason;
};

struct ApplyResult {
    MemoryImage image;                // the input image with the plan's channels
    std::vector<int> channels;        // the channels filled, ascending
    std::vector<PlanRefusal> refused; // rows left out, or why nothing was applied
};

// Applies the plan through the editor's rules (each frequency as a typed one, checked against
// the band; the plan's bandwidth and power set per channel). Never changes `image`.
ApplyResult apply(const ChannelPlan& plan, const MemoryImage& image, BandLimits band,
                  const ApplyRequest& request, Language language);

} // namespace channelplans
