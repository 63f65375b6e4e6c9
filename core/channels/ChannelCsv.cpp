#include "channels/ChannelCsv.h"

#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include "channels/ChannelCodec.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelFields.h"
#include "options/Options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>

namespace channelcsv {

const char* const kColumns[kColumnCount] = {
    "Location", "Name",         "Frequency",  "Duplex",    "Offset", "Tone",     "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",   "TStep",    "Skip",      "Power",
    "Comment",  "URCALL",       "RPT1CALL",   "RPT2CALL",  "DVCODE", "BusyLock",
};

namespace {

// Transmit and receive more than this far apart go as "split": other tools refuse larger offsets.
constexpr uint32_t kMaxOffset10Hz = 7000000; // 70 MHz
constexpr uint32_t kStep5k10Hz = 500;
// Power at or above this many tenths of a watt is the radio's high setting.
constexpr int32_t kHighPowerDeciWatt = 30;
// The largest code number of three octal digits.
constexpr long kMaxDcsCode = 777;

const char* const kPlaceholderCtcss = "88.5";
const char* const kPlaceholderDcs = "023";
const char* const kPlaceholderPolarity = "NN";
const char* const kPlaceholderCross = "Tone->Tone";

// ---- text helpers -------------------------------------------------------------------------

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return ascii::equalsIgnoringCase(a, b);
}

// Fields lose blanks and tabs at either end, nothing else.
std::string trimmed(std::string_view text) {
    return ascii::trimmed(text, " \t");
}

using ascii::isDigit;

// Digits with at most one '.', at least one digit, nothing else: "145.5", "145.", ".5".
bool isPlainDecimal(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (isDigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// A plain decimal of MHz with no digit other than 0 past the fifth decimal: a whole number of
// 10 Hz, the unit the image keeps frequencies in ("145.500000" yes, "145.500009" no).
bool isWholeTenHertz(std::string_view plainDecimal) {
    constexpr size_t kDecimals = 5;
    const size_t point = plainDecimal.find('.');
    if (point == std::string_view::npos || plainDecimal.size() - point - 1 <= kDecimals) {
        return true;
    }
    const std::string_view past = plainDecimal.substr(point + 1 + kDecimals);
    return past.find_first_not_of('0') == std::string_view::npos;
}

bool isPlainInteger(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

std::optional<long> integerValue(std::string_view text) {
    if (!isPlainInteger(text)) {
        return std::nullopt;
    }
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A frequency in 10 Hz units as MHz with six decimals.
std::string megahertz6(uint32_t freq10Hz) {
    return formatFrequency(freq10Hz) + "0";
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

// ---- export ------------------------------------------------------------------------------

std::string dcsCodeText(uint32_t code) {
    std::string digits = std::to_string(code);
    return std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
}

char polarityLetter(const Tone& tone) {
    return tone.kind == ToneKind::DcsInverted ? 'R' : 'N';
}

struct ToneColumns {
    std::string mode;
    std::string rToneFreq = kPlaceholderCtcss;
    std::string cToneFreq = kPlaceholderCtcss;
    std::string dtcsCode = kPlaceholderDcs;
    std::string polarity = kPlaceholderPolarity;
    std::string rxDtcsCode = kPlaceholderDcs;
    std::string crossMode = kPlaceholderCross;
};

ToneColumns toneColumns(const Tone& tx, const Tone& rx) {
    ToneColumns c;
    const auto ctcssText = [](const Tone& t) { return formatTone(t, Language::English); };
    if (tx.kind == ToneKind::None && rx.kind == ToneKind::None) {
        return c;
    }
    if (tx.kind == ToneKind::Ctcss && rx.kind == ToneKind::None) {
        c.mode = "Tone";
        c.rToneFreq = ctcssText(tx);
        return c;
    }
    if (tx.kind == ToneKind::Ctcss && tx == rx) {
        c.mode = "TSQL";
        c.cToneFreq = ctcssText(tx);
        return c;
    }
    if (tx.isDcs() && rx.isDcs() && tx.value == rx.value) {
        c.mode = "DTCS";
        c.dtcsCode = dcsCodeText(tx.value);
        c.polarity = std::string{polarityLetter(tx), polarityLetter(rx)};
        return c;
    }
    c.mode = "Cross";
    std::string txPart;
    std::string rxPart;
    if (tx.kind == ToneKind::Ctcss) {
        txPart = "Tone";
        c.rToneFreq = ctcssText(tx);
    } else if (tx.isDcs()) {
        txPart = "DTCS";
        c.dtcsCode = dcsCodeText(tx.value);
    }
    if (rx.kind == ToneKind::Ctcss) {
        rxPart = "Tone";
        c.cToneFreq = ctcssText(rx);
    } else if (rx.isDcs()) {
        rxPart = "DTCS";
        c.rxDtcsCode = dcsCodeText(rx.value);
    }
    c.polarity = std::string{polarityLetter(tx), polarityLetter(rx)};
    c.crossMode = txPart + "->" + rxPart;
    return c;
}

// The BusyLock column holds the busy lock field's English items (Off, Carrier, QT/DQT) and takes
// its words as radioprog does ("tone" too).
const ChannelFieldInfo& busyLockField() {
    return *channelFieldByCliKey("busy-lock");
}

// ---- reading the text into records -------------------------------------------------------

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits the text into records of fields. A field that starts with '"' is quoted: it runs to the
// matching quote, "" standing for one quote, and may hold commas and line breaks. Unquoted
// fields lose the blanks around them. Blank lines and lines starting with '#' are skipped.
// Returns false, with the line in `badLine`, when a quoted field is never closed.
bool splitRecords(std::string_view text, std::vector<Record>& records, int& badLine) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    size_t i = 0;
    int line = 1;
    const auto atLineEnd = [&](size_t at) {
        return at >= text.size() || text[at] == '\n' || text[at] == '\r';
    };
    const auto skipLineEnd = [&]() {
        if (i < text.size() && text[i] == '\r') {
            ++i;
        }
        if (i < text.size() && text[i] == '\n') {
            ++i;
        }
        ++line;
    };

    while (i < text.size()) {
        // Whole-line skips: comments and lines of nothing but blanks.
        size_t probe = i;
        while (probe < text.size() && (text[probe] == ' ' || text[probe] == '\t')) {
            ++probe;
        }
        if (atLineEnd(probe) || text[i] == '#') {
            while (!atLineEnd(i)) {
                ++i;
            }
            skipLineEnd();
            continue;
        }

        Record record;
        record.line = line;
        for (;;) {
            std::string field;
            size_t start = i;
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        badLine = record.line;
                        return false;
                    }
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (i >= text.size() || text[i] != '\n'))) {
                        ++line;
                    }
                    field += c;
                }
                // Anything between the closing quote and the next comma belongs to the field.
                start = i;
                while (i < text.size() && text[i] != ',' && !atLineEnd(i)) {
                    ++i;
                }
                field += trimmed(text.substr(start, i - start));
            } else {
                i = start;
                while (i < text.size() && text[i] != ',' && !atLineEnd(i)) {
                    ++i;
                }
                field = trimmed(text.substr(start, i - start));
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            skipLineEnd();
            break;
        }
        records.push_back(std::move(record));
    }
    return true;
}

// ---- one row -----------------------------------------------------------------------------

class RowReader {
public:
    RowReader(const std::map<std::string, size_t>& columns, const Record& record)
        : m_columns(columns), m_record(record) {}

    bool has(const char* name) const { return m_columns.count(ascii::lowered(name)) != 0; }
    std::string get(const char* name) const {
        const auto it = m_columns.find(ascii::lowered(name));
        if (it == m_columns.end() || it->second >= m_record.fields.size()) {
            return {};
        }
        return m_record.fields[it->second];
    }

private:
    const std::map<std::string, size_t>& m_columns;
    const Record& m_record;
};

// What one row asks for, checked; `problems` collects what is wrong with it.
struct RowOutcome {
    Channel channel = Channel::erased(); // the committed channel
    bool priority = false;
};

class RowImporter {
public:
    RowImporter(const RowReader& row, BandLimits limits, Language language,
                std::vector<std::string>& problems)
        : m_row(row), m_limits(limits), m_language(language), m_problems(problems) {}

    // `busyLockKept`: the busy lock the channel keeps when the row does not give one.
    bool run(BusyLock busyLockKept, RowOutcome& out);

private:
    void problem(CoreText id, std::initializer_list<std::string_view> arguments = {}) {
        m_problems.push_back(coreTextWith(id, m_language, arguments));
    }
    // "<what>: out of range (the band is ...)"
    void frequencyProblem(const std::string& what, MessageId id);
    bool commitReceive();
    void commitTransmit();
    void commitTones();
    std::optional<Tone> ctcssFrom(const char* column);
    std::optional<Tone> dcsFrom(const char* column, char polarity);
    void commitListColumns(BusyLock busyLockKept, bool& priority);

    const RowReader& m_row;
    BandLimits m_limits;
    Language m_language;
    std::vector<std::string>& m_problems;
    Channel m_channel = Channel::erased(); // committed with the grid's rules
};

void RowImporter::frequencyProblem(const std::string& what, MessageId id) {
    // The grid's own messages ask to type again, which a row of a file cannot do.
    const char* why =
        coreText(id == MessageId::OffStep ? CoreText::CsvOffStep : CoreText::CsvOutOfRange, m_language);
    // The band as far as the image can hold it: a 1 - 30 MHz band starts at 10 MHz.
    const BandLimits storable = channeledit::storableLimits(m_limits);
    if (storable.min10Hz > storable.max10Hz) {
        problem(CoreText::CsvRefusedNoBand, {what, why});
        return;
    }
    problem(CoreText::CsvRefusedInBand, {what, why, formatFrequency(static_cast<uint32_t>(storable.min10Hz)),
                                         formatFrequency(static_cast<uint32_t>(storable.max10Hz))});
}

bool RowImporter::commitReceive() {
    const std::string text = m_row.get("Frequency");
    if (text.empty()) {
        problem(CoreText::CsvFrequencyEmpty);
        return false;
    }
    if (!isPlainDecimal(text)) {
        problem(CoreText::CsvNotMegahertz, {"Frequency", quoted(text)});
        return false;
    }
    if (!isWholeTenHertz(text)) {
        problem(CoreText::CsvNotTenHertz, {"Frequency", text});
        return false;
    }
    const channeledit::FrequencyEntry entry = channeledit::readFrequency(text, m_limits);
    if (!entry.accepted()) {
        frequencyProblem("Frequency " + text, *entry.refusal);
        return false;
    }
    channeledit::setReceive(m_channel, entry.freq10Hz);
    return true;
}

void RowImporter::commitTransmit() {
    const std::string duplex = m_row.get("Duplex");
    const std::string offset = m_row.get("Offset");
    if (duplex.empty()) {
        return; // a new channel transmits on its receive frequency
    }
    if (sameIgnoringCase(duplex, "off")) {
        problem(CoreText::CsvDuplexOff);
        return;
    }
    const bool split = sameIgnoringCase(duplex, "split");
    if (!split && duplex != "+" && duplex != "-") {
        problem(CoreText::CsvDuplexUnknown, {quoted(duplex)});
        return;
    }
    if (!isPlainDecimal(offset)) {
        problem(CoreText::CsvNotMegahertz, {"Offset", quoted(offset)});
        return;
    }
    if (!isWholeTenHertz(offset)) {
        problem(CoreText::CsvNotTenHertz, {"Offset", offset});
        return;
    }
    std::string txText = offset;
    if (!split) {
        const std::optional<int32_t> delta = parseFrequencyText(offset);
        if (!m_channel.rx10Hz || !delta) {
            frequencyProblem("Offset " + offset, MessageId::OutOfRange);
            return;
        }
        const int64_t tx = int64_t{*m_channel.rx10Hz} + (duplex == "+" ? int64_t{*delta} : -int64_t{*delta});
        if (tx <= 0 || tx > image::kMaxFrequency10Hz) {
            frequencyProblem(coreTextWith(CoreText::CsvTransmitOffset, m_language, {duplex, offset}),
                             MessageId::OutOfRange);
            return;
        }
        txText = formatFrequency(static_cast<uint32_t>(tx));
    }
    const channeledit::FrequencyEntry entry = channeledit::readFrequency(txText, m_limits);
    if (entry.accepted()) {
        channeledit::setTransmit(m_channel, entry.freq10Hz);
    } else {
        const std::string what =
            split ? coreTextWith(CoreText::CsvSplitOffset, m_language, {offset})
                  : coreTextWith(CoreText::CsvTransmitAt, m_language, {txText, duplex, offset});
        frequencyProblem(what, *entry.refusal);
    }
}

std::optional<Tone> RowImporter::ctcssFrom(const char* column) {
    const std::string text = m_row.get(column);
    if (!isPlainDecimal(text)) {
        problem(CoreText::CsvNotToneHz, {column, quoted(text)});
        return std::nullopt;
    }
    const std::optional<int32_t> deciHz = parseScaledDecimal(text, 1);
    const std::optional<int32_t> centiHz = parseScaledDecimal(text, 2);
    if (!deciHz || !centiHz || *centiHz != *deciHz * 10) {
        problem(CoreText::CsvToneTenths, {column, text});
        return std::nullopt;
    }
    const Tone tone = Tone::ctcss(static_cast<uint32_t>(*deciHz));
    if (*deciHz <= 0 || decodeToneWord(encodeTone(tone)) != tone) {
        problem(CoreText::CsvToneRange, {column, text});
        return std::nullopt;
    }
    if (toneListIndex(tone) < 0) {
        problem(CoreText::CsvToneNotInList, {column, text});
        return std::nullopt;
    }
    return tone;
}

std::optional<Tone> RowImporter::dcsFrom(const char* column, char polarity) {
    const std::string text = m_row.get(column);
    const std::optional<long> code = integerValue(text);
    if (!code) {
        problem(CoreText::CsvNotDcs, {column, quoted(text)});
        return std::nullopt;
    }
    // Checked before narrowing: 4294967319 would otherwise pass as 023. A code the image can
    // hold is still refused when the tone list does not offer it, as typing refuses it.
    if (*code < 0 || *code > kMaxDcsCode || !isStorableDcsCode(static_cast<uint32_t>(*code))) {
        problem(CoreText::CsvDcsUnknown, {column, text});
        return std::nullopt;
    }
    const Tone tone = Tone::dcs(static_cast<uint32_t>(*code), polarity == 'R');
    if (toneListIndex(tone) < 0) {
        problem(CoreText::CsvDcsNotInList, {column, text});
        return std::nullopt;
    }
    return tone;
}

void RowImporter::commitTones() {
    const std::string mode = m_row.get("Tone");
    std::string polarity = m_row.get("DtcsPolarity");
    if (polarity.empty()) {
        polarity = kPlaceholderPolarity;
    }
    const bool polarityOk = polarity.size() == 2 && (polarity[0] == 'N' || polarity[0] == 'R') &&
                            (polarity[1] == 'N' || polarity[1] == 'R');

    std::optional<Tone> tx = Tone::none();
    std::optional<Tone> rx = Tone::none();
    const auto needPolarity = [&]() {
        if (!polarityOk) {
            problem(CoreText::CsvPolarity, {quoted(polarity)});
        }
        return polarityOk;
    };

    if (mode.empty()) {
        // no tone either way
    } else if (sameIgnoringCase(mode, "Tone")) {
        tx = ctcssFrom("rToneFreq");
    } else if (sameIgnoringCase(mode, "TSQL")) {
        tx = rx = ctcssFrom("cToneFreq");
    } else if (sameIgnoringCase(mode, "DTCS")) {
        if (!needPolarity()) {
            return;
        }
        tx = dcsFrom("DtcsCode", polarity[0]);
        rx = tx ? std::optional<Tone>(Tone::dcs(tx->value, polarity[1] == 'R')) : std::nullopt;
    } else if (sameIgnoringCase(mode, "Cross")) {
        std::string cross = m_row.get("CrossMode");
        if (cross.empty()) {
            cross = kPlaceholderCross;
        }
        const size_t arrow = cross.find("->");
        const std::string txPart = arrow == std::string::npos ? std::string() : cross.substr(0, arrow);
        const std::string rxPart = arrow == std::string::npos ? std::string() : cross.substr(arrow + 2);
        const auto known = [](const std::string& part) {
            return part.empty() || sameIgnoringCase(part, "Tone") || sameIgnoringCase(part, "DTCS");
        };
        if (arrow == std::string::npos || !known(txPart) || !known(rxPart)) {
            problem(CoreText::CsvCrossMode, {quoted(cross)});
            return;
        }
        const bool dcsUsed = sameIgnoringCase(txPart, "DTCS") || sameIgnoringCase(rxPart, "DTCS");
        if (dcsUsed && !needPolarity()) {
            return;
        }
        if (sameIgnoringCase(txPart, "Tone")) {
            tx = ctcssFrom("rToneFreq");
        } else if (sameIgnoringCase(txPart, "DTCS")) {
            tx = dcsFrom("DtcsCode", polarity[0]);
        }
        if (sameIgnoringCase(rxPart, "Tone")) {
            rx = ctcssFrom("cToneFreq");
        } else if (sameIgnoringCase(rxPart, "DTCS")) {
            // Files older than the RxDtcsCode column kept one code for both directions.
            rx = dcsFrom(m_row.has("RxDtcsCode") ? "RxDtcsCode" : "DtcsCode", polarity[1]);
        }
    } else {
        problem(CoreText::CsvToneMode, {quoted(mode)});
        return;
    }
    if (tx) {
        m_channel.txTone = *tx;
    }
    if (rx) {
        m_channel.rxTone = *rx;
    }
}

void RowImporter::commitListColumns(BusyLock busyLockKept, bool& priority) {

    const std::string mode = m_row.get("Mode");
    if (sameIgnoringCase(mode, "FM")) {
        m_channel.wide = true;
    } else if (sameIgnoringCase(mode, "NFM")) {
        m_channel.wide = false;
    } else if (!mode.empty()) {
        problem(CoreText::CsvMode, {quoted(mode)});
    }

    const std::string skip = m_row.get("Skip");
    if (skip.empty() || sameIgnoringCase(skip, "P")) {
        m_channel.scanned = true;
        priority = !skip.empty();
    } else if (sameIgnoringCase(skip, "S")) {
        m_channel.scanned = false;
    } else {
        problem(CoreText::CsvSkip, {quoted(skip)});
    }

    std::string power = m_row.get("Power");
    if (sameIgnoringCase(power, "High")) {
        m_channel.highPower = true;
    } else if (sameIgnoringCase(power, "Low")) {
        m_channel.highPower = false;
    } else if (!power.empty()) {
        std::string watts = power;
        if (watts.back() == 'W' || watts.back() == 'w') {
            watts = trimmed(watts.substr(0, watts.size() - 1));
        }
        const std::optional<int32_t> deciWatt =
            isPlainDecimal(watts) ? parseScaledDecimal(watts, 1) : std::nullopt;
        if (!deciWatt) {
            problem(CoreText::CsvPower, {quoted(power)});
        } else {
            m_channel.highPower = *deciWatt >= kHighPowerDeciWatt;
        }
    }

    const std::string lock = m_row.get("BusyLock");
    const std::optional<int> lockItem = fieldItemFromWord(busyLockField(), lock);
    if (lock.empty()) {
        m_channel.busyLock = busyLockKept;
    } else if (lockItem) {
        setFieldItem(busyLockField(), m_channel, *lockItem);
    } else {
        problem(CoreText::CsvBusyLock, {quoted(lock)});
    }
}

bool RowImporter::run(BusyLock busyLockKept, RowOutcome& out) {
    const size_t before = m_problems.size();
    if (commitReceive()) {
        commitTransmit();
        commitTones();
        commitListColumns(busyLockKept, out.priority);
    }
    out.channel = m_channel;
    return m_problems.size() == before;
}

} // namespace

// ---- export ------------------------------------------------------------------------------

std::string exportCsv(const MemoryImage& image, int first, int last) {
    std::string out;
    for (int c = 0; c < kColumnCount; ++c) {
        out += (c ? "," : "");
        out += kColumns[c];
    }
    out += "\n";

    for (int ch = std::max(first, 1); ch <= std::min(last, image::kChannelCount); ++ch) {
        if (!image.isInUse(ch)) {
            continue;
        }
        const uint32_t rx = *image.rxFrequency(ch);
        const uint32_t tx = *image.txFrequency(ch);
        std::string duplex;
        uint32_t offset = 0;
        if (tx != rx) {
            const uint32_t distance = tx > rx ? tx - rx : rx - tx;
            if (distance > kMaxOffset10Hz) {
                duplex = "split";
                offset = tx;
            } else {
                duplex = tx > rx ? "+" : "-";
                offset = distance;
            }
        }
        // A DCS word may hold a code outside the table, which Tone reads as 0: the column
        // gets the code the word holds, which import takes back.
        const auto storedTone = [](Tone tone, ToneWord word) {
            if (tone.isDcs()) {
                tone.value = storedDcsCode(word);
            }
            return tone;
        };
        const ToneColumns tones = toneColumns(storedTone(image.txTone(ch), image.txToneWord(ch)),
                                              storedTone(image.rxTone(ch), image.rxToneWord(ch)));
        const bool fineStep = rx % kStep5k10Hz != 0 || tx % kStep5k10Hz != 0;

        const std::string fields[kColumnCount] = {
            std::to_string(ch),
            "",
            megahertz6(rx),
            duplex,
            megahertz6(offset),
            tones.mode,
            tones.rToneFreq,
            tones.cToneFreq,
            tones.dtcsCode,
            tones.polarity,
            tones.rxDtcsCode,
            tones.crossMode,
            image.isWide(ch) ? "FM" : "NFM",
            fineStep ? "6.25" : "5.00",
            // P marks the priority channel, which is scanned by nature; import reads it back.
            !image.isScanned(ch)                         ? "S"
            : image.byte(image::offset::kPriority) == ch ? "P"
                                                         : "",
            image.isHighPower(ch) ? "5.0W" : "1.0W",
            "",
            "",
            "",
            "",
            "",
            fieldText(busyLockField(), ChannelCodec::decode(image, ch), Language::English),
        };
        for (int c = 0; c < kColumnCount; ++c) {
            out += (c ? "," : "");
            out += csvField(fields[c]);
        }
        out += "\n";
    }
    return out;
}

// ---- import ------------------------------------------------------------------------------

ImportResult importCsv(std::string_view text, const MemoryImage& image, BandLimits limits,
                       Language language) {
    const auto reason = [language](CoreText id, std::initializer_list<std::string_view> arguments = {}) {
        return coreTextWith(id, language, arguments);
    };
    ImportResult result;
    result.image = image;

    std::vector<Record> records;
    int badLine = 0;
    if (!splitRecords(text, records, badLine)) {
        result.problems.push_back({badLine, reason(CoreText::CsvUnclosedQuote)});
        return result;
    }
    if (records.empty()) {
        result.problems.push_back({1, reason(CoreText::CsvNoHeader)});
        return result;
    }

    const Record& header = records.front();
    std::map<std::string, size_t> columns;
    for (size_t i = 0; i < header.fields.size(); ++i) {
        columns.emplace(ascii::lowered(header.fields[i]), i);
    }
    const bool hasLocation = columns.count("location") != 0;
    const bool hasFrequency = columns.count("frequency") != 0;
    if (!hasLocation && !hasFrequency) {
        result.problems.push_back({header.line, reason(CoreText::CsvNotHeader)});
        return result;
    }
    if (!hasLocation || !hasFrequency) {
        result.problems.push_back(
            {header.line, reason(CoreText::CsvMissingColumn, {hasLocation ? "Frequency" : "Location"})});
        return result;
    }

    // Locations count from 0 when the smallest one is 0.
    long base = 1;
    for (size_t r = 1; r < records.size(); ++r) {
        const std::optional<long> location = integerValue(RowReader(columns, records[r]).get("Location"));
        if (location && *location == 0) {
            base = 0;
        }
    }

    // What the channels keep when a row names no busy lock: the image's own setting.
    const Channels original = ChannelCodec::decodeAll(image);

    Channels channels;
    channels.fill(Channel::erased());
    std::map<int, int> lineOfChannel;
    int priorityChannel = 0;
    int priorityLine = 0;
    for (size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        const RowReader row(columns, record);
        std::vector<std::string> problems;

        if (record.fields.size() < header.fields.size()) {
            result.problems.push_back(
                {record.line, reason(CoreText::CsvShortRow, {std::to_string(record.fields.size()),
                                                             std::to_string(header.fields.size())})});
            continue;
        }

        int channel = 0;
        const std::string locationText = row.get("Location");
        const std::optional<long> location = integerValue(locationText);
        if (!location) {
            problems.push_back(reason(CoreText::CsvLocationNotNumber, {quoted(locationText)}));
        } else if (*location < base || *location - base >= image::kChannelCount) {
            problems.push_back(
                reason(CoreText::CsvLocationPast,
                       {locationText, std::to_string(image::kChannelCount), std::to_string(base),
                        std::to_string(base + image::kChannelCount - 1)}));
        } else {
            channel = static_cast<int>(*location - base + 1);
            const auto [it, fresh] = lineOfChannel.emplace(channel, record.line);
            if (!fresh) {
                problems.push_back(
                    reason(CoreText::CsvLocationTwice, {locationText, std::to_string(it->second)}));
                channel = 0;
            }
        }

        const Channel* before = channel ? &original[static_cast<size_t>(channel - 1)] : nullptr;
        const BusyLock keptLock = before && before->isInUse() ? before->busyLock : BusyLock::Off;
        RowOutcome outcome;
        RowImporter(row, limits, language, problems).run(keptLock, outcome);

        if (outcome.priority && channel) {
            if (priorityChannel) {
                problems.push_back(reason(CoreText::CsvPriorityTwice, {std::to_string(priorityLine)}));
            } else {
                priorityChannel = channel;
                priorityLine = record.line;
            }
        }
        for (std::string& why : problems) {
            result.problems.push_back({record.line, std::move(why)});
        }
        if (problems.empty() && channel) {
            channels[static_cast<size_t>(channel - 1)] = outcome.channel;
            ++result.channelCount;
        }
    }

    if (!result.problems.empty()) {
        result.channelCount = 0;
        return result;
    }
    for (const auto& [channel, line] : lineOfChannel) {
        result.named.push_back({channel, line});
    }
    ChannelCodec::encodeAll(result.image, channels);
    if (priorityChannel) {
        storeOptionSelection(OptionList::Priority, priorityChannel, result.image);
    }
    return result;
}

namespace {

std::string channelLine(const Channel& channel, Language language) {
    std::string line;
    if (!channel.isInUse()) {
        return line;
    }
    for (const ChannelFieldInfo& field : channelFields()) {
        const std::string text = fieldText(field, channel, language);
        if (!text.empty()) {
            line += (line.empty() ? "" : "  ") + text;
        }
    }
    return line;
}

} // namespace

std::vector<ChannelChange> changedChannels(const MemoryImage& before, const MemoryImage& after,
                                           Language language) {
    const Channels was = ChannelCodec::decodeAll(before);
    const Channels will = ChannelCodec::decodeAll(after);
    std::vector<ChannelChange> changes;
    for (size_t n = 0; n < was.size(); ++n) {
        ChannelChange change{static_cast<int>(n) + 1, channelLine(was[n], language),
                             channelLine(will[n], language)};
        if (change.now != change.after) {
            changes.push_back(std::move(change));
        }
    }
    return changes;
}

} // namespace channelcsv
