#include "ImageCommands.h"

#include "ImageReport.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelFields.h"
#include "image/DatFile.h"
#include "options/Options.h"
#include "platform/AtomicFile.h"

#include <filesystem>
#include <map>
#include <ostream>

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxCsvBytes = 1024 * 1024;
constexpr long kMaxIndex = 255; // type and band are one byte each

// ---- shared --------------------------------------------------------------------------------

struct Assignment {
    std::string key;
    std::string value;
};

// Splits KEY=VALUE words; reports a word without '=' or a key given twice.
bool splitAssignments(CliContext& ctx, const std::vector<std::string>& words, std::vector<Assignment>& out) {
    for (const std::string& word : words) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0) {
            ctx.fail(ExitStatus::BadInput, "'" + word + "' is not KEY=VALUE");
            return false;
        }
        Assignment a{ascii::lowered(word.substr(0, equals)), word.substr(equals + 1)};
        for (const Assignment& earlier : out) {
            if (earlier.key == a.key) {
                ctx.fail(ExitStatus::BadInput, a.key + "= is given twice");
                return false;
            }
        }
        out.push_back(std::move(a));
    }
    return true;
}

std::string numberedList(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        out += (i ? ", " : "") + std::to_string(i) + " " + (names[i].empty() ? "(empty)" : names[i]);
    }
    return out;
}

// Checks a type index, and a band index of that type, against the lists of Program.ini.
bool checkType(CliContext& ctx, const std::string& what, long type) {
    const std::vector<std::string> types = radiomodel::typeNames(ctx.ini());
    if (types.empty()) {
        ctx.fail(ExitStatus::BadInput, what + ": the radio types come from Program.ini, which lists none; "
                                              "give one with --ini PATH");
        return false;
    }
    if (type >= static_cast<long>(types.size())) {
        ctx.fail(ExitStatus::BadInput, what + ": Program.ini lists the types 0 to " +
                                           std::to_string(types.size() - 1) + ": " + numberedList(types));
        return false;
    }
    return true;
}

bool checkBand(CliContext& ctx, const std::string& what, long type, long band) {
    const std::vector<std::string> bands = radiomodel::bandNames(ctx.ini(), static_cast<unsigned>(type));
    if (band >= static_cast<long>(bands.size())) {
        ctx.fail(ExitStatus::BadInput, what + ": type " + std::to_string(type) + " has the bands 0 to " +
                                           std::to_string(bands.size() - 1) + ": " + numberedList(bands));
        return false;
    }
    return true;
}

std::optional<long> indexValue(CliContext& ctx, const std::string& what, const std::string& text) {
    const std::optional<long> value = parseWholeNumber(text, 0, kMaxIndex);
    if (!value) {
        ctx.fail(ExitStatus::BadInput, what + ": '" + text + "' is not a number from 0 to 255");
    }
    return value;
}

// ---- channel -------------------------------------------------------------------------------

// The keys of the channel command, "rx, tx, ..." or with `suffix` after each key.
std::string channelKeys(const char* suffix) {
    std::string out;
    for (const ChannelFieldInfo& field : channelFields()) {
        out += (out.empty() ? "" : ", ") + std::string(field.cliKey) + suffix;
    }
    return out;
}

} // namespace

// ---- new -----------------------------------------------------------------------------------

ExitStatus runNew(CliContext& ctx, const CommandLine& args) {
    const std::string& path = args.operands()[0];
    if (!ctx.checkOutputPath(path)) {
        return ExitStatus::BadInput;
    }
    std::error_code ec;
    if (path != "-" && fs::exists(fs::symlink_status(path, ec))) {
        return ctx.fail(ExitStatus::BadInput, path + " already exists; 'new' never overwrites a file "
                                                     "(remove it first or choose another name)");
    }

    MemoryImage image = MemoryImage::newDocument();
    radiomodel::synchronise(image, true, ctx.userSettings(), ctx.ini());
    long type = image.radioType();
    if (args.has("--type")) {
        const std::optional<long> value = indexValue(ctx, "--type", args.value("--type"));
        if (!value || !checkType(ctx, "--type " + args.value("--type"), *value)) {
            return ExitStatus::BadInput;
        }
        type = *value;
        image.setRadioType(static_cast<uint8_t>(type));
        if (!args.has("--band")) {
            image.setBand(0); // a chosen type starts on its first band
        }
    }
    if (args.has("--band")) {
        const std::optional<long> value = indexValue(ctx, "--band", args.value("--band"));
        if (!value || !checkBand(ctx, "--band " + args.value("--band"), type, *value)) {
            return ExitStatus::BadInput;
        }
        image.setBand(static_cast<uint8_t>(*value));
    }
    if (!ctx.saveImage(path, image, true)) {
        return ExitStatus::BadInput;
    }
    const radiomodel::TypeAndBand band = radiomodel::describe(image, ctx.ini());
    // The image itself may be what goes to standard output; the words then go beside it.
    (path == "-" ? ctx.err() : ctx.out())
        << "new image " << path << ": type " << int{band.type} << " " << band.typeName << ", band "
        << int{band.band} << " " << band.bandName << "\n";
    return ExitStatus::Ok;
}

// ---- show ----------------------------------------------------------------------------------

bool chosenLanguage(CliContext& ctx, const CommandLine& args, Language& language) {
    language = ctx.defaultLanguage();
    if (args.has("--lang")) {
        const std::string lang = ascii::lowered(args.value("--lang"));
        if (lang != "english" && lang != "chinese") {
            ctx.fail(ExitStatus::BadInput,
                     "--lang " + args.value("--lang") + ": the languages are English and Chinese");
            return false;
        }
        language = lang == "chinese" ? Language::Chinese : Language::English;
    }
    return true;
}

ExitStatus runShow(CliContext& ctx, const CommandLine& args) {
    Language language = Language::English;
    if (!chosenLanguage(ctx, args, language)) {
        return ExitStatus::BadInput;
    }
    MemoryImage image;
    if (!ctx.loadImage(args.operands()[0], image)) {
        return ExitStatus::BadInput;
    }
    const radiomodel::TypeAndBand band = radiomodel::describe(image, ctx.ini());
    ctx.out() << (args.has("--json") ? imagereport::json(image, band)
                                     : imagereport::text(image, band, language));
    return ExitStatus::Ok;
}

// ---- channel -------------------------------------------------------------------------------

ExitStatus runChannel(CliContext& ctx, const CommandLine& args) {
    const std::string& path = args.operands()[0];
    const std::string& number = args.operands()[1];
    const std::optional<long> channelNumber = parseWholeNumber(number, 1, image::kChannelCount);
    if (!channelNumber) {
        return ctx.fail(ExitStatus::BadInput, "channel '" + number + "': the channels are 1 to 16");
    }
    const int row = static_cast<int>(*channelNumber);
    std::vector<Assignment> changes;
    if (!splitAssignments(ctx, {args.operands().begin() + 2, args.operands().end()}, changes)) {
        return ExitStatus::BadInput;
    }
    const bool remove = args.has("--delete");
    if (remove && !changes.empty()) {
        return ctx.fail(ExitStatus::BadInput, "--delete empties the channel; give it without FIELD=VALUE");
    }
    if (!remove && changes.empty()) {
        return ctx.fail(ExitStatus::BadInput,
                        "nothing to change: give FIELD=VALUE (" + channelKeys("=") + ") or --delete");
    }
    // Every key must be known before anything is looked at.
    std::map<int, std::string> byColumn;
    for (const Assignment& a : changes) {
        const ChannelFieldInfo* field = channelFieldByCliKey(a.key);
        if (!field) {
            return ctx.fail(ExitStatus::BadInput,
                            "'" + a.key + "' is not a field of a channel (" + channelKeys("") + ")");
        }
        byColumn[field->col] = a.value;
    }

    MemoryImage image;
    if (!ctx.loadImage(path, image, true)) {
        return ExitStatus::BadInput;
    }
    Channel channel = remove ? Channel::erased() : ChannelCodec::decode(image, row);
    const std::string unchanged = "; " + CliContext::keptFileText(path, true);

    // Frequencies first, so that a new channel exists before its attributes are chosen.
    for (const ChannelFieldInfo& field : channelFields()) {
        const auto it = byColumn.find(field.col);
        if (it == byColumn.end() || field.kind != FieldKind::Frequency) {
            continue;
        }
        if (field.frequency == &Channel::tx10Hz && !channel.rx10Hz) {
            return ctx.fail(ExitStatus::BadInput, "channel " + number +
                                                      " has no receive frequency: give rx=MHZ "
                                                      "as well" +
                                                      unchanged);
        }
        std::optional<uint32_t> value;
        if (!it->second.empty()) {
            const std::optional<radiomodel::TypeAndBand> band = ctx.bandOf(image);
            if (!band) {
                return ExitStatus::BadInput;
            }
            const channeledit::FrequencyEntry entry = channeledit::readFrequency(it->second, band->limits);
            if (!entry.accepted()) {
                return ctx.fail(
                    ExitStatus::BadInput,
                    "channel " + number + ": " +
                        CliContext::refusalText(
                            field.cliKey, it->second,
                            messageText(*entry.refusal, Language::English) + std::string(" (band ") +
                                band->bandName + ": " +
                                CliContext::limitsText(channeledit::storableLimits(band->limits)) +
                                ", in steps of 5 or 6.25 kHz)") +
                        unchanged);
            }
            value = entry.freq10Hz;
        }
        field.setFrequency(channel, value);
    }
    for (const ChannelFieldInfo& field : channelFields()) {
        const auto it = byColumn.find(field.col);
        if (it == byColumn.end() || field.kind == FieldKind::Frequency) {
            continue;
        }
        if (!channel.hasFrequency()) {
            return ctx.fail(ExitStatus::BadInput,
                            "channel " + number + " is empty: give rx=MHZ to make it" + unchanged);
        }
        const std::optional<int> item = fieldItemFromWord(field, it->second);
        if (!item) {
            return ctx.fail(
                ExitStatus::BadInput,
                CliContext::refusalText(field.cliKey, it->second, "choose " + cliFieldChoices(field)) +
                    unchanged);
        }
        setFieldItem(field, channel, *item);
    }

    // Only this channel's record and scan bit change; the other channels keep every byte.
    ChannelCodec::encode(image, row, channel);
    return ctx.saveImage(path, image) ? ExitStatus::Ok : ExitStatus::BadInput;
}

// ---- set -----------------------------------------------------------------------------------

ExitStatus runSet(CliContext& ctx, const CommandLine& args) {
    const std::string& path = args.operands()[0];
    std::vector<Assignment> assignments;
    if (!splitAssignments(ctx, {args.operands().begin() + 1, args.operands().end()}, assignments)) {
        return ExitStatus::BadInput;
    }
    MemoryImage image;
    if (!ctx.loadImage(path, image, true)) {
        return ExitStatus::BadInput;
    }

    struct Change {
        OptionList list;
        int selection;
    };
    std::vector<Change> changes;
    std::optional<std::string> typeText;
    std::optional<std::string> bandText;
    int bad = 0;
    const auto refuse = [&](const Assignment& a, const std::string& expected) {
        ctx.fail(ExitStatus::BadInput, CliContext::refusalText(a.key, a.value, expected));
        ++bad;
    };
    for (const Assignment& a : assignments) {
        if (const OptionInfo* option = optionFromKey(a.key)) {
            const std::optional<int> selection = optionSelectionFromWord(option->list, a.value);
            if (selection) {
                changes.push_back({option->list, *selection});
            } else {
                refuse(a, option->expected);
            }
        } else if (a.key == "type") {
            typeText = a.value;
        } else if (a.key == "band") {
            bandText = a.value;
        } else {
            std::string keys;
            for (const OptionInfo& o : optionTable()) {
                keys += std::string(o.key) + ", ";
            }
            ctx.fail(ExitStatus::BadInput, "'" + a.key + "' is not an option (" + keys + "type, band)");
            ++bad;
        }
    }

    long type = image.radioType();
    long band = image.band();
    if (typeText) {
        const std::optional<long> value = indexValue(ctx, "type", *typeText);
        if (!value || !checkType(ctx, "type=" + *typeText, *value)) {
            ++bad;
        } else {
            // As in the type and band dialog: another type starts on its first band.
            band = *value != type ? 0 : band;
            type = *value;
        }
    }
    if (bandText) {
        const std::optional<long> value = indexValue(ctx, "band", *bandText);
        if (!value || (!typeText && !checkType(ctx, "band=" + *bandText, type)) ||
            !checkBand(ctx, "band=" + *bandText, type, *value)) {
            ++bad;
        } else {
            band = *value;
        }
    }
    if (bad) {
        return ctx.fail(ExitStatus::BadInput, "nothing changed; " + CliContext::keptFileText(path, true));
    }

    for (const Change& change : changes) {
        storeOptionSelection(change.list, change.selection, image);
    }
    image.setRadioType(static_cast<uint8_t>(type));
    image.setBand(static_cast<uint8_t>(band));
    return ctx.saveImage(path, image) ? ExitStatus::Ok : ExitStatus::BadInput;
}

// ---- export / import -----------------------------------------------------------------------

ExitStatus runExport(CliContext& ctx, const CommandLine& args) {
    const std::string& imagePath = args.operands()[0];
    const std::string& csvPath = args.operands()[1];
    MemoryImage image;
    if (!ctx.checkDistinctFiles({{"IMAGE.dat", imagePath}}, {{"CHANNELS.csv", csvPath}}) ||
        !ctx.loadImage(imagePath, image)) {
        return ExitStatus::BadInput;
    }
    const std::string csv = channelcsv::exportCsv(image);
    if (csvPath == "-") {
        ctx.out() << csv;
        return ExitStatus::Ok;
    }
    if (!ctx.checkOutputPath(csvPath)) {
        return ExitStatus::BadInput;
    }
    std::string error;
    if (!platform::writeFileAtomically(csvPath, csv, error)) {
        return ctx.fail(ExitStatus::BadInput, "cannot write " + csvPath + ": " + error);
    }
    int inUse = 0;
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        inUse += image.isInUse(ch) ? 1 : 0;
    }
    ctx.out() << "exported " << inUse << " channel" << (inUse == 1 ? "" : "s") << " to " << csvPath << "\n";
    return ExitStatus::Ok;
}

ExitStatus runImport(CliContext& ctx, const CommandLine& args) {
    const std::string& csvPath = args.operands()[0];
    const std::string& imagePath = args.operands()[1];
    std::string text;
    if (!ctx.checkDistinctFiles({{"CHANNELS.csv", csvPath}}, {{"IMAGE.dat", imagePath}}) ||
        !ctx.readTextFile(csvPath, text, kMaxCsvBytes)) {
        return ExitStatus::BadInput;
    }
    MemoryImage image;
    if (!ctx.loadImage(imagePath, image, true)) {
        return ExitStatus::BadInput;
    }
    const std::optional<radiomodel::TypeAndBand> band = ctx.bandOf(image);
    if (!band) {
        return ExitStatus::BadInput;
    }
    const channelcsv::ImportResult result = channelcsv::importCsv(text, image, band->limits);
    if (!result.ok()) {
        for (const channelcsv::Problem& p : result.problems) {
            ctx.err() << csvPath << ":" << p.line << ": " << p.reason << "\n";
        }
        const size_t n = result.problems.size();
        return ctx.fail(ExitStatus::BadInput, std::to_string(n) + " problem" + (n == 1 ? "" : "s") + " in " +
                                                  csvPath + "; nothing imported; " +
                                                  CliContext::keptFileText(imagePath, true));
    }
    if (!ctx.saveImage(imagePath, result.image)) {
        return ExitStatus::BadInput;
    }
    ctx.out() << "imported " << result.channelCount << " channel" << (result.channelCount == 1 ? "" : "s")
              << " into " << imagePath << "\n";
    return ExitStatus::Ok;
}
