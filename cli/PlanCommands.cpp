#include "PlanCommands.h"

#include "ImageCommands.h"
#include "ImageReport.h"
#include "JsonWriter.h"
#include "check/ChannelCheck.h"
#include "plans/ChannelPlans.h"
#include "platform/Paths.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>

namespace {

// More rows than any list a person keeps; bounds the numbers of --channels before a plan is read.
constexpr long kMaxPlanRows = 9999;

void warnProblems(CliContext& ctx, const std::string& command, const PlanLoad& load) {
    for (const PlanProblem& problem : load.problems) {
        ctx.err() << "radioprog: " << command << ": warning: the plan " << problem.path
                  << " is left out: " << problem.reason << "\n";
    }
}

// The built-in plans and the user's; with `warn`, each list that did not read named on stderr.
PlanLoad loadPlans(CliContext& ctx, const std::string& command, Language language, bool warn = true) {
    PlanLoad load = channelplans::loadAll(platform::shippedDataDir(),
                                          channelplans::userPlansDir(ctx.ini().appName()), language);
    if (warn) {
        warnProblems(ctx, command, load);
    }
    return load;
}

// "<shipped>/plans and <user plans>": where the plans are looked for.
std::string planFolders(const CliContext& ctx) {
    const std::string user = channelplans::userPlansDir(ctx.ini().appName());
    return platform::shippedDataDir() + "/plans" + (user.empty() ? std::string() : " and " + user);
}

// The plan of that name, in any letter case; a built-in one before a user's of the same name.
const ChannelPlan* findPlan(const std::vector<ChannelPlan>& plans, const std::string& name) {
    for (const ChannelPlan& plan : plans) {
        if (ascii::equalsIgnoringCase(plan.name, name)) {
            return &plan;
        }
    }
    return nullptr;
}

// Looks up NAME for `command`; reports an unknown name with the names there are and the lists
// that could not be read.
const ChannelPlan* namedPlan(CliContext& ctx, const std::string& command, const PlanLoad& load,
                             const std::string& name, const std::string& suffix = "") {
    if (const ChannelPlan* plan = findPlan(load.plans, name)) {
        return plan;
    }
    // The lists that did not read matter when the plan may be one of them.
    warnProblems(ctx, command, load);
    std::string names;
    for (const ChannelPlan& plan : load.plans) {
        names += (names.empty() ? "" : ", ") + plan.name;
    }
    ctx.fail(ExitStatus::BadInput,
             command + ": there is no plan '" + name + "'; " +
                 (names.empty() ? "there are no plans in " + planFolders(ctx) : "the plans are " + names) +
                 suffix);
    return nullptr;
}

std::string licenceWord(const ChannelPlan& plan, Language language) {
    return coreText(!plan.licenceNeeded   ? CoreText::PlanUnknown
                    : *plan.licenceNeeded ? CoreText::PlanYes
                                          : CoreText::PlanNo,
                    language);
}

std::string originWord(const ChannelPlan& plan, Language language) {
    return coreText(plan.builtIn ? CoreText::PlanBuiltIn : CoreText::PlanUser, language);
}

void writeLicence(JsonWriter& w, const ChannelPlan& plan) {
    if (plan.licenceNeeded) {
        w.value(*plan.licenceNeeded);
    } else {
        w.null();
    }
}

// "narrow" or "wide", the most the service allows; "" when a plain list says nothing.
std::string bandwidthWord(const ChannelPlan& plan, const PlanChannel& row, Language language) {
    return !plan.hasDescription
               ? ""
               : coreText(row.narrowOnly ? CoreText::PlanNarrow : CoreText::PlanWide, language);
}

std::string frequencyText(const std::optional<uint32_t>& freq10Hz) {
    return freq10Hz ? formatFrequency(*freq10Hz) : std::string();
}

void writeFrequency(JsonWriter& w, const std::optional<uint32_t>& freq10Hz) {
    if (freq10Hz) {
        w.value(int64_t{*freq10Hz});
    } else {
        w.null();
    }
}

void writeTextOrNull(JsonWriter& w, const std::string& text) {
    if (text.empty()) {
        w.null();
    } else {
        w.value(text);
    }
}

std::vector<std::string> headings(std::initializer_list<CoreText> ids, Language language) {
    std::vector<std::string> out;
    for (CoreText id : ids) {
        out.emplace_back(coreText(id, language));
    }
    return out;
}

// Rows of cells as aligned columns, two blanks apart, "-" for an empty cell.
std::string columns(const std::vector<std::vector<std::string>>& rows) {
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], imagereport::displayWidth(row[c].empty() ? "-" : row[c]));
        }
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string cell = row[c].empty() ? "-" : row[c];
            line += cell;
            if (c + 1 < row.size()) {
                line += std::string(widths[c] + 2 - imagereport::displayWidth(cell), ' ');
            }
        }
        out += line + "\n";
    }
    return out;
}

// "1-5, 8, 10-16" of ascending channel numbers.
std::string rangesText(const std::vector<int>& numbers) {
    std::string out;
    for (size_t i = 0; i < numbers.size();) {
        size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1) {
            ++last;
        }
        out += (out.empty() ? "" : ", ") + std::to_string(numbers[i]) +
               (last > i ? "-" + std::to_string(numbers[last]) : "");
        i = last + 1;
    }
    return out;
}

// The options that belong to some of plan's verbs only.
bool refuseOptions(CliContext& ctx, const CommandLine& args, const std::string& verb,
                   const std::vector<const char*>& options, const char* belongs) {
    for (const char* option : options) {
        if (args.has(option)) {
            ctx.fail(ExitStatus::BadInput,
                     "plan " + verb + ": " + option + " goes with " + belongs + " only");
            return false;
        }
    }
    return true;
}

// ---- plan list -----------------------------------------------------------------------------

ExitStatus runPlanList(CliContext& ctx, const CommandLine& args, Language language) {
    const PlanLoad load = loadPlans(ctx, "plan list", language);
    if (load.plans.empty()) {
        return ctx.fail(ExitStatus::BadInput, "plan list: no plan could be read from " + planFolders(ctx));
    }
    if (args.has("--json")) {
        JsonWriter w;
        w.beginArray();
        for (const ChannelPlan& plan : load.plans) {
            w.beginObject();
            w.key("name");
            w.value(plan.name);
            w.key("region");
            w.value(plan.region);
            w.key("service");
            w.value(plan.service);
            w.key("channels");
            w.value(static_cast<int64_t>(plan.channels.size()));
            w.key("licence_needed");
            writeLicence(w, plan);
            w.key("built_in");
            w.value(plan.builtIn);
            w.endObject();
        }
        w.endArray();
        ctx.out() << w.text();
        return ExitStatus::Ok;
    }
    std::vector<std::vector<std::string>> rows = {
        headings({CoreText::PlanName, CoreText::PlanRegion, CoreText::PlanService, CoreText::PlanChannels,
                  CoreText::PlanLicence, CoreText::PlanOrigin},
                 language)};
    for (const ChannelPlan& plan : load.plans) {
        rows.push_back({plan.name, plan.region, plan.service, std::to_string(plan.channels.size()),
                        licenceWord(plan, language), originWord(plan, language)});
    }
    ctx.out() << columns(rows);
    return ExitStatus::Ok;
}

// ---- plan show -----------------------------------------------------------------------------

std::string planJson(const ChannelPlan& plan) {
    JsonWriter w;
    w.beginObject();
    const std::pair<const char*, const std::string*> texts[] = {
        {"name", &plan.name}, {"region", &plan.region}, {"service", &plan.service},
        {"rule", &plan.rule}, {"source", &plan.source}, {"unconfirmed", &plan.unconfirmed}};
    for (const auto& [key, text] : texts) {
        w.key(key);
        w.value(*text);
    }
    w.key("licence_needed");
    writeLicence(w, plan);
    w.key("built_in");
    w.value(plan.builtIn);
    w.key("channels");
    w.beginArray();
    for (size_t i = 0; i < plan.channels.size(); ++i) {
        const PlanChannel& row = plan.channels[i];
        w.beginObject();
        w.key("row");
        w.value(static_cast<int64_t>(i + 1));
        w.key("name");
        w.value(row.name);
        w.key("rx_10hz");
        writeFrequency(w, row.channel.rx10Hz);
        w.key("tx_10hz");
        writeFrequency(w, row.channel.tx10Hz);
        w.key("rx_tone");
        w.value(formatTone(row.channel.rxTone, Language::English));
        w.key("tx_tone");
        w.value(formatTone(row.channel.txTone, Language::English));
        w.key("bandwidth");
        writeTextOrNull(w, bandwidthWord(plan, row, Language::English));
        w.key("power_limit");
        writeTextOrNull(w, channelplans::powerLimitWords(row));
        w.key("power_limit_deciw");
        if (row.powerLimitDeciW > 0) {
            w.value(int64_t{row.powerLimitDeciW});
        } else {
            w.null();
        }
        w.endObject();
    }
    w.endArray();
    w.endObject();
    return w.text();
}

// The description as "Label:  text" lines, long texts wrapped at blanks under their start.
std::string descriptionText(const std::vector<std::pair<std::string, std::string>>& lines) {
    constexpr size_t kLineWidth = 96;
    size_t labelWidth = 0;
    for (const auto& line : lines) {
        labelWidth = std::max(labelWidth, imagereport::displayWidth(line.first) + 2);
    }
    std::string out;
    for (const auto& [label, text] : lines) {
        std::string line = label + std::string(labelWidth - imagereport::displayWidth(label), ' ');
        size_t width = labelWidth;
        size_t start = 0;
        const std::string value = text.empty() ? "-" : text;
        while (start < value.size()) {
            size_t end = value.find(' ', start);
            end = end == std::string::npos ? value.size() : end;
            const std::string word = value.substr(start, end - start);
            const size_t wordWidth = imagereport::displayWidth(word);
            if (width > labelWidth && width + 1 + wordWidth > kLineWidth) {
                out += line + "\n";
                line = std::string(labelWidth, ' ');
                width = labelWidth;
            }
            line += (width > labelWidth ? " " : "") + word;
            width += (width > labelWidth ? 1 : 0) + wordWidth;
            start = end + 1;
        }
        out += line + "\n";
    }
    return out;
}

std::string planText(const ChannelPlan& plan, Language language) {
    const CoreText licence = !plan.licenceNeeded   ? CoreText::PlanNotStated
                             : *plan.licenceNeeded ? CoreText::PlanNeeded
                                                   : CoreText::PlanNotNeeded;
    const std::pair<CoreText, std::string> about[] = {
        {CoreText::PlanName, plan.name},
        {CoreText::PlanRegion, plan.region},
        {CoreText::PlanService, plan.service},
        {CoreText::PlanLicence, coreText(licence, language)},
        {CoreText::PlanRule, plan.rule},
        {CoreText::PlanSource, plan.source},
        {CoreText::PlanUnconfirmed, plan.unconfirmed},
        {CoreText::PlanOrigin, originWord(plan, language)},
    };
    std::vector<std::pair<std::string, std::string>> labelled;
    for (const auto& [label, text] : about) {
        labelled.emplace_back(
            std::string(coreText(label, language)) + (language == Language::Chinese ? "：" : ":"), text);
    }
    std::vector<std::vector<std::string>> rows = {headings(
        {CoreText::PlanRow, CoreText::PlanName, CoreText::PlanRx, CoreText::PlanTx, CoreText::PlanRxTone,
         CoreText::PlanTxTone, CoreText::PlanBandwidth, CoreText::PlanPowerLimit},
        language)};
    for (size_t i = 0; i < plan.channels.size(); ++i) {
        const PlanChannel& row = plan.channels[i];
        rows.push_back({std::to_string(i + 1), row.name, frequencyText(row.channel.rx10Hz),
                        frequencyText(row.channel.tx10Hz), formatTone(row.channel.rxTone, language),
                        formatTone(row.channel.txTone, language), bandwidthWord(plan, row, language),
                        channelplans::powerLimitWords(row)});
    }
    return descriptionText(labelled) + "\n" + columns(rows);
}

ExitStatus runPlanShow(CliContext& ctx, const CommandLine& args, Language language) {
    const PlanLoad load = loadPlans(ctx, "plan show", language, false);
    const ChannelPlan* plan = namedPlan(ctx, "plan show", load, args.operands()[1]);
    if (!plan) {
        return ExitStatus::BadInput;
    }
    ctx.out() << (args.has("--json") ? planJson(*plan) : planText(*plan, language));
    return ExitStatus::Ok;
}

// ---- plan apply ----------------------------------------------------------------------------

// --from N and --channels A-B (or A) as a request; reports a bad value.
bool applyRequestOf(CliContext& ctx, const CommandLine& args, channelplans::ApplyRequest& request) {
    if (args.has("--from")) {
        const std::optional<long> from = parseWholeNumber(args.value("--from"), 1, image::kChannelCount);
        if (!from) {
            ctx.fail(ExitStatus::BadInput,
                     "plan apply: --from " + args.value("--from") + ": give a channel from 1 to 16");
            return false;
        }
        request.fromChannel = static_cast<int>(*from);
    }
    if (args.has("--channels")) {
        const std::string text = args.value("--channels");
        const size_t dash = text.find('-');
        const std::optional<long> first = parseWholeNumber(text.substr(0, dash), 1, kMaxPlanRows);
        const std::optional<long> last =
            dash == std::string::npos ? first : parseWholeNumber(text.substr(dash + 1), 1, kMaxPlanRows);
        if (!first || !last || *first > *last) {
            ctx.fail(ExitStatus::BadInput, "plan apply: --channels " + text +
                                               ": give the plan's rows as A-B with 1 <= A <= B (5-8), "
                                               "or one row (5)");
            return false;
        }
        request.firstRow = static_cast<int>(*first);
        request.lastRow = static_cast<int>(*last);
    }
    request.replaceAll = args.has("--replace-all");
    return true;
}

ExitStatus runPlanApply(CliContext& ctx, const CommandLine& args, Language language) {
    const std::string& path = args.operands()[1];
    channelplans::ApplyRequest request;
    if (args.operands().size() < 3) {
        return ctx.fail(ExitStatus::BadInput, "plan apply: missing NAME (plan apply IMAGE.dat NAME)");
    }
    if (!applyRequestOf(ctx, args, request)) {
        return ExitStatus::BadInput;
    }
    const std::string unchanged = "; " + CliContext::keptFileText(path, true);
    MemoryImage image;
    if (!ctx.loadImage(path, image, true)) {
        return ExitStatus::BadInput;
    }
    const std::optional<radiomodel::TypeAndBand> band = ctx.bandOf(image);
    if (!band) {
        return ExitStatus::BadInput;
    }
    const PlanLoad load = loadPlans(ctx, "plan apply", language, false);
    const ChannelPlan* plan = namedPlan(ctx, "plan apply", load, args.operands()[2], unchanged);
    if (!plan) {
        return ExitStatus::BadInput;
    }
    const int rowCount = static_cast<int>(plan->channels.size());
    if (request.lastRow > rowCount) {
        return ctx.fail(ExitStatus::BadInput, "plan apply: --channels " + args.value("--channels") + ": " +
                                                  plan->name + " has the rows 1 to " +
                                                  std::to_string(rowCount) + unchanged);
    }
    const channelplans::Applicability applicable = channelplans::applicability(*plan, band->limits, language);
    if (!applicable.applicable) {
        return ctx.fail(ExitStatus::BadInput, "plan apply: " + applicable.reason + unchanged);
    }
    const channelplans::ApplyResult result =
        channelplans::apply(*plan, image, band->limits, request, language);
    for (const channelplans::PlanRefusal& refusal : result.refused) {
        ctx.err() << "radioprog: plan apply: left out " << refusal.reason << "\n";
    }
    if (result.channels.empty()) {
        return ctx.fail(ExitStatus::BadInput,
                        "plan apply: no row of " + plan->name + " was applied" + unchanged);
    }
    if (!ctx.saveImage(path, result.image)) {
        return ExitStatus::BadInput;
    }
    std::vector<int> rows;
    for (int channel : result.channels) {
        rows.push_back(channel - request.fromChannel + request.firstRow);
    }
    const size_t filled = result.channels.size();
    ctx.out() << path << ": channel" << (filled == 1 ? " " : "s ") << rangesText(result.channels)
              << " filled with " << plan->name << " row" << (filled == 1 ? " " : "s ") << rangesText(rows)
              << (request.replaceAll && filled < image::kChannelCount ? "; the other channels are empty" : "")
              << "\n";
    return ExitStatus::Ok;
}

// ---- check ---------------------------------------------------------------------------------

// The key show --json gives the field, or "channel" and "priority".
const char* fieldWord(FindingField field) {
    if (const ChannelFieldInfo* info = channelcheck::gridField(field)) {
        return info->jsonKey;
    }
    return field == FindingField::Priority ? "priority" : "channel";
}

} // namespace

ExitStatus runPlan(CliContext& ctx, const CommandLine& args) {
    const std::string& verb = args.operands()[0];
    Language language = Language::English;
    if (verb != "list" && verb != "show" && verb != "apply") {
        return ctx.fail(ExitStatus::BadInput, "plan: '" + verb + "': say 'list', 'show' or 'apply'");
    }
    const size_t operands = args.operands().size();
    if (verb == "list" && operands > 1) {
        return ctx.fail(ExitStatus::BadInput, "plan list: unexpected argument '" + args.operands()[1] + "'");
    }
    if (verb == "show" && operands != 2) {
        return ctx.fail(ExitStatus::BadInput,
                        operands < 2 ? std::string("plan show: missing NAME")
                                     : "plan show: unexpected argument '" + args.operands()[2] + "'");
    }
    if (verb == "apply" && operands < 2) {
        return ctx.fail(ExitStatus::BadInput, "plan apply: missing IMAGE.dat");
    }
    if (!chosenLanguage(ctx, args, language) ||
        (verb != "apply" &&
         !refuseOptions(ctx, args, verb, {"--from", "--channels", "--replace-all"}, "'plan apply'")) ||
        (verb == "apply" && !refuseOptions(ctx, args, verb, {"--json"}, "'plan list' and 'plan show'"))) {
        return ExitStatus::BadInput;
    }
    if (verb == "list") {
        return runPlanList(ctx, args, language);
    }
    return verb == "show" ? runPlanShow(ctx, args, language) : runPlanApply(ctx, args, language);
}

ExitStatus runCheck(CliContext& ctx, const CommandLine& args) {
    Language language = Language::English;
    MemoryImage image;
    if (!chosenLanguage(ctx, args, language) || !ctx.loadImage(args.operands()[0], image)) {
        return ExitStatus::BadInput;
    }
    const PlanLoad load = loadPlans(ctx, "check", language);
    const std::vector<Finding> findings = channelcheck::check(image, load.plans, language);
    if (args.has("--json")) {
        JsonWriter w;
        w.beginArray();
        for (const Finding& finding : findings) {
            w.beginObject();
            w.key("kind");
            w.value(channelcheck::kindKey(finding.kind));
            w.key("channel");
            w.value(int64_t{finding.channel});
            w.key("field");
            w.value(fieldWord(finding.field));
            w.key("other_channel");
            if (finding.otherChannel > 0) {
                w.value(int64_t{finding.otherChannel});
            } else {
                w.null();
            }
            w.key("service");
            writeTextOrNull(w, finding.service);
            w.key("text");
            w.value(finding.text);
            w.endObject();
        }
        w.endArray();
        ctx.out() << w.text();
    } else if (findings.empty()) {
        ctx.out() << coreText(CoreText::CheckNoFindings, language) << "\n";
    } else {
        for (const Finding& finding : findings) {
            ctx.out() << finding.text << "\n";
        }
    }
    return findings.empty() ? ExitStatus::Ok : ExitStatus::Differ;
}
