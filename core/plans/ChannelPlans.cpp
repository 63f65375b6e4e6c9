#include "plans/ChannelPlans.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "platform/Paths.h"
#include "text/AsciiText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace channelplans {

namespace {

bool chinese(Language language) {
    return language == Language::Chinese;
}

// The records of CSV text: split at line breaks outside quotes, without the breaks. Blank
// records and '#' comment records are dropped, as the import drops them.
std::vector<std::string> records(std::string_view text) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    const auto finish = [&] {
        if (!current.empty() && current.back() == '\r') {
            current.pop_back();
        }
        const std::string trimmed = ascii::trimmed(current, " \t");
        if (!trimmed.empty() && trimmed.front() != '#') {
            out.push_back(current);
        }
        current.clear();
    };
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == '\n' && !quoted) {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return out;
}

// The fields of one record as written, quotes kept, split at commas outside quotes.
std::vector<std::string> rawFields(const std::string& record) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : record) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ',' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

std::string unquoted(const std::string& field) {
    std::string text = ascii::trimmed(field, " \t");
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            out += text[i];
            if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                ++i;
            }
        }
        return out;
    }
    return text;
}

int columnIndex(const std::vector<std::string>& header, std::string_view name) {
    for (size_t i = 0; i < header.size(); ++i) {
        if (ascii::equalsIgnoringCase(unquoted(header[i]), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string joined(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        out += (i ? "," : "") + fields[i];
    }
    return out;
}

// The whole range of frequencies a channel record can hold: a plan is read whatever band the
// radio has, and checked against the band only when it is applied.
BandLimits anyStorable() {
    return {static_cast<int32_t>(channeledit::kMinStorableFrequency10Hz),
            static_cast<int32_t>(image::kMaxFrequency10Hz)};
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return text.str();
}

std::string lowerName(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

// The entries of [Plan] of a description: key=value lines, keys in any letter case, ';' and
// '#' lines comments, entries of other sections ignored.
struct Description {
    std::map<std::string, std::string> entries; // by lower-case key
    std::string value(const std::string& key) const {
        const auto found = entries.find(lowerName(key));
        return found == entries.end() ? std::string() : found->second;
    }
    std::string rowValue(const std::string& key, int row) const {
        const std::string own = value(key + std::to_string(row));
        return own.empty() ? value(key) : own;
    }
};

bool isDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), ascii::isDigit);
}

} // namespace

std::optional<ChannelPlan> parsePlan(std::string_view name, std::string_view csvText,
                                     std::string_view iniText, Language language, std::string* problem) {
    const auto fail = [&](std::string reason) -> std::optional<ChannelPlan> {
        if (problem) {
            *problem = std::move(reason);
        }
        return std::nullopt;
    };
    std::vector<std::string> rows = records(csvText);
    if (rows.size() < 2) {
        return fail(chinese(language) ? "信道表没有信道。" : "The list has no channels.");
    }
    const std::string header = rows.front();
    rows.erase(rows.begin());
    const std::vector<std::string> headerFields = rawFields(header);
    const int location = columnIndex(headerFields, "Location");
    const int nameColumn = columnIndex(headerFields, "Name");
    if (location < 0) {
        return fail(chinese(language) ? "信道表没有 Location 列。" : "The list has no Location column.");
    }

    ChannelPlan plan;
    plan.name = std::string(name);
    // The import takes sixteen rows at a time, Location 1..16, so longer lists go in parts.
    for (size_t first = 0; first < rows.size(); first += image::kChannelCount) {
        const size_t count = std::min(rows.size() - first, static_cast<size_t>(image::kChannelCount));
        std::string part = header + "\n";
        std::vector<std::string> names;
        for (size_t i = 0; i < count; ++i) {
            std::vector<std::string> fields = rawFields(rows[first + i]);
            fields.resize(std::max(fields.size(), static_cast<size_t>(location) + 1));
            fields[static_cast<size_t>(location)] = std::to_string(i + 1);
            names.push_back(nameColumn >= 0 && static_cast<size_t>(nameColumn) < fields.size()
                                ? unquoted(fields[static_cast<size_t>(nameColumn)])
                                : std::string());
            part += joined(fields) + "\n";
        }
        const channelcsv::ImportResult imported =
            channelcsv::importCsv(part, MemoryImage(), anyStorable(), language);
        if (!imported.ok()) {
            const channelcsv::Problem& p = imported.problems.front();
            const size_t row = first + static_cast<size_t>(std::max(p.line - 1, 1));
            return fail((chinese(language) ? "第 " + std::to_string(row) + " 行："
                                           : "row " + std::to_string(row) + ": ") +
                        p.reason);
        }
        for (size_t i = 0; i < count; ++i) {
            PlanChannel channel;
            channel.name = names[i];
            channel.channel = ChannelCodec::decode(imported.image, static_cast<int>(i) + 1);
            plan.channels.push_back(channel);
        }
    }

    Description description;
    if (!iniText.empty()) {
        std::istringstream lines{std::string(iniText)};
        std::string line;
        std::string section;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const std::string text = ascii::trimmed(line, " \t");
            if (text.empty() || text.front() == ';' || text.front() == '#') {
                continue;
            }
            if (text.front() == '[' && text.back() == ']') {
                section = text.substr(1, text.size() - 2);
                continue;
            }
            const size_t equals = text.find('=');
            if (equals != std::string::npos && section == "Plan") {
                description.entries[lowerName(ascii::trimmed(text.substr(0, equals), " \t"))] =
                    ascii::trimmed(text.substr(equals + 1), " \t");
            }
        }
        plan.hasDescription = true;
    }
    if (plan.hasDescription) {
        if (!description.value("Name").empty()) {
            plan.name = description.value("Name");
        }
        plan.region = description.value("Region");
        plan.service = description.value("Service");
        plan.rule = description.value("Rule");
        plan.source = description.value("Source");
        plan.unconfirmed = description.value("Unconfirmed");
        const std::string licence = description.value("Licence");
        if (ascii::equalsIgnoringCase(licence, "Yes")) {
            plan.licenceNeeded = true;
        } else if (ascii::equalsIgnoringCase(licence, "No")) {
            plan.licenceNeeded = false;
        }
        for (size_t i = 0; i < plan.channels.size(); ++i) {
            PlanChannel& c = plan.channels[i];
            const int row = static_cast<int>(i) + 1;
            c.narrowOnly = ascii::equalsIgnoringCase(description.rowValue("Bandwidth", row), "Narrow");
            if (c.narrowOnly) {
                c.channel.wide = false;
            }
            c.powerLimitText = description.rowValue("PowerLimit", row);
            const std::string limit = description.rowValue("PowerLimitDeciW", row);
            if (isDigits(limit) && limit.size() < 7) {
                c.powerLimitDeciW = std::stoi(limit);
            }
        }
    }
    if (plan.service.empty()) {
        plan.service = plan.name;
    }
    return plan;
}

PlanLoad loadFolder(const std::string& folder, bool builtIn, Language language) {
    PlanLoad load;
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        return load;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        const std::string file = entry->d_name;
        if (file.size() > 4 && lowerName(file.substr(file.size() - 4)) == ".csv") {
            names.push_back(file.substr(0, file.size() - 4));
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string base = folder + "/" + name;
        const std::optional<std::string> csv = readFile(base + ".csv");
        if (!csv) {
            load.problems.push_back({base + ".csv", std::strerror(errno ? errno : EIO)});
            continue;
        }
        const std::string ini = readFile(base + ".ini").value_or("");
        std::string problem;
        std::optional<ChannelPlan> plan = parsePlan(name, *csv, ini, language, &problem);
        if (!plan) {
            load.problems.push_back({base + ".csv", problem});
            continue;
        }
        plan->builtIn = builtIn;
        load.plans.push_back(std::move(*plan));
    }
    return load;
}

PlanLoad loadAll(const std::string& shippedDataDir, const std::string& userPlansDir, Language language) {
    PlanLoad all = loadFolder(shippedDataDir + "/plans", true, language);
    if (!userPlansDir.empty()) {
        PlanLoad user = loadFolder(userPlansDir, false, language);
        std::move(user.plans.begin(), user.plans.end(), std::back_inserter(all.plans));
        std::move(user.problems.begin(), user.problems.end(), std::back_inserter(all.problems));
    }
    return all;
}

std::string userPlansDir(const std::string& appName) {
    const std::string base = platform::userDataDir();
    return base.empty() ? std::string() : base + "/" + platform::appFolderName(appName) + "/plans";
}

std::string powerLimitWords(const PlanChannel& row) {
    if (!row.powerLimitText.empty() || row.powerLimitDeciW <= 0) {
        return row.powerLimitText;
    }
    const int tenths = row.powerLimitDeciW % 10;
    return std::to_string(row.powerLimitDeciW / 10) + (tenths ? "." + std::to_string(tenths) : "") + " W";
}

std::string tonesText(const Channel& channel, Language language) {
    const std::string rx = formatTone(channel.rxTone, language);
    const std::string tx = formatTone(channel.txTone, language);
    return rx == tx ? rx : rx + " / " + tx;
}

Applicability applicability(const ChannelPlan& plan, BandLimits band, Language language) {
    const BandLimits storable = channeledit::storableLimits(band);
    for (const PlanChannel& c : plan.channels) {
        for (const std::optional<uint32_t>& freq : {c.channel.rx10Hz, c.channel.tx10Hz}) {
            if (!freq) {
                continue;
            }
            const bool inside = channeledit::isNoBand(band)
                                    ? false
                                    : static_cast<int64_t>(*freq) >= storable.min10Hz &&
                                          static_cast<int64_t>(*freq) <= storable.max10Hz;
            if (!inside) {
                const std::string mhz = formatFrequency(*freq);
                const std::string clause = channeledit::bandClause(band, language);
                return {false, chinese(language)
                                   ? plan.name + " 的 " + mhz + " MHz 不在频段内 " + clause
                                   : plan.name + ": " + mhz + " MHz is outside the band " + clause};
            }
        }
    }
    return {true, {}};
}

ApplyResult apply(const ChannelPlan& plan, const MemoryImage& image, BandLimits band,
                  const ApplyRequest& request, Language language) {
    ApplyResult result{image, {}, {}};
    const int rowCount = static_cast<int>(plan.channels.size());
    const int lastRow = request.lastRow == 0 ? rowCount : request.lastRow;
    if (request.firstRow < 1 || lastRow > rowCount || request.firstRow > lastRow || request.fromChannel < 1 ||
        request.fromChannel > image::kChannelCount) {
        result.refused.push_back(
            {0, 0,
             chinese(language)
                 ? "所选的行 " + std::to_string(request.firstRow) + "-" + std::to_string(lastRow) +
                       " 或起始信道 " + std::to_string(request.fromChannel) + " 不在 " + plan.name +
                       " 的 1-" + std::to_string(rowCount) + " 行和信道 1-16 之内。"
                 : "Rows " + std::to_string(request.firstRow) + "-" + std::to_string(lastRow) +
                       " from channel " + std::to_string(request.fromChannel) + " do not fit: " + plan.name +
                       " has rows 1-" + std::to_string(rowCount) + " and the radio channels 1-16."});
        return result;
    }
    Channels channels = ChannelCodec::decodeAll(image);
    if (request.replaceAll) {
        channels.fill(Channel::erased());
    }
    for (int row = request.firstRow; row <= lastRow; ++row) {
        const int channel = request.fromChannel + row - request.firstRow;
        const PlanChannel& source = plan.channels[static_cast<size_t>(row - 1)];
        if (channel > image::kChannelCount) {
            // The rest of the rows have nowhere to go: one refusal for them all.
            const std::string rows =
                std::to_string(row) + (row < lastRow ? "-" + std::to_string(lastRow) : "");
            result.refused.push_back({row, 0,
                                      chinese(language) ? "第 " + rows + " 行：信道 16 之后没有信道。"
                                                        : (row < lastRow ? "rows " : "row ") + rows +
                                                              ": there is no channel after 16."});
            break;
        }
        std::optional<MessageId> refusal;
        for (const std::optional<uint32_t>& freq : {source.channel.rx10Hz, source.channel.tx10Hz}) {
            if (freq && !refusal) {
                refusal = channeledit::readFrequency(formatFrequency(*freq), band).refusal;
            }
        }
        if (refusal || !source.channel.rx10Hz) {
            result.refused.push_back(
                {row, channel,
                 (chinese(language)
                      ? "第 " + std::to_string(row) + " 行 (信道 " + std::to_string(channel) + ")："
                      : "row " + std::to_string(row) + " (channel " + std::to_string(channel) + "): ") +
                     channeledit::refusalText(refusal.value_or(MessageId::OutOfRange), band, language)});
            continue;
        }
        Channel value = Channel::erased();
        channeledit::setReceive(value, source.channel.rx10Hz);
        channeledit::setTransmit(value, source.channel.tx10Hz);
        value.rxTone = source.channel.rxTone;
        value.txTone = source.channel.txTone;
        value.wide = source.channel.wide && !source.narrowOnly;
        value.highPower = source.channel.highPower;
        channels[static_cast<size_t>(channel - 1)] = value;
        result.channels.push_back(channel);
    }
    ChannelCodec::encodeAll(result.image, channels);
    return result;
}

} // namespace channelplans
