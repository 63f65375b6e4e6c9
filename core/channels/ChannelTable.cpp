#include "channels/ChannelTable.h"

#include "text/AsciiText.h"

#include <stdexcept>

namespace {

struct Pair {
    const char* english;
    const char* chinese;
};

const Pair kHeadings[kGridCols] = {
    {"CH", "信道"},         {"Rx Frequency", "接收频率"}, {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"}, {"QT/DQT Enc", "QT/DQT编码"}, {"W/N", "宽/窄"},
    {"Scan", "扫描"},       {"Busy Lock", "繁忙锁定"},    {"Power", "功率"},
};

const Pair kWide = {"Wide", "宽"};
const Pair kNarrow = {"Narrow", "窄"};
const Pair kYes = {"Yes", "是"};
const Pair kNo = {"No", "否"};
const Pair kOff = {"Off", "关"};
const Pair kCarrier = {"Carrier", "载波"};
const Pair kToneLock = {"QT/DQT", "QT/DQT"};
const Pair kHigh = {"High", "高"};
const Pair kLow = {"Low", "低"};

const char* pick(const Pair& p, bool chinese) { return chinese ? p.chinese : p.english; }
bool isEither(const std::string& text, const Pair& p) { return text == p.english || text == p.chinese; }

std::vector<std::string> items(std::initializer_list<Pair> pairs, bool chinese) {
    std::vector<std::string> out;
    for (const Pair& p : pairs) {
        out.emplace_back(pick(p, chinese));
    }
    return out;
}

// 10 Hz units of a frequency text in the grid; 0 for empty or unreadable text.
uint32_t storedFrequency(const std::string& text) {
    const std::optional<int32_t> f = parseFrequencyText(text);
    if (!f || *f <= 0) {
        return 0;
    }
    return static_cast<uint32_t>(*f);
}

} // namespace

CChannelTable::CChannelTable(bool chinese) : m_bChinese(chinese) {
    for (int c = 0; c < kGridCols; ++c) {
        m_cells[0][c] = heading(c, chinese);
    }
    for (int r = 1; r < kGridRows; ++r) {
        m_cells[r][0] = (r < 10 ? " " : "") + std::to_string(r);
    }
}

void CChannelTable::checkCell(int row, int col) const {
    if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) {
        throw std::out_of_range("grid cell out of range");
    }
}

const std::string& CChannelTable::text(int row, int col) const {
    checkCell(row, col);
    return m_cells[row][col];
}

void CChannelTable::setText(int row, int col, const std::string& text) {
    checkCell(row, col);
    m_cells[row][col] = text;
}

void CChannelTable::clearRow(int row) {
    checkCell(row, 1);
    for (int c = 1; c < kGridCols; ++c) {
        m_cells[row][c].clear();
    }
}

bool CChannelTable::isRowEmpty(int row) const {
    checkCell(row, 1);
    for (int c = 1; c < kGridCols; ++c) {
        if (!m_cells[row][c].empty()) {
            return false;
        }
    }
    return true;
}

const char* CChannelTable::heading(int col, bool chinese) {
    if (col < 0 || col >= kGridCols) {
        return "";
    }
    return pick(kHeadings[col], chinese);
}

const std::vector<std::string>& CChannelTable::listItems(int col) const {
    static const std::vector<std::string> kLists[2][4] = {
        {items({kWide, kNarrow}, false), items({kYes, kNo}, false), items({kOff, kCarrier, kToneLock}, false),
         items({kHigh, kLow}, false)},
        {items({kWide, kNarrow}, true), items({kYes, kNo}, true), items({kOff, kCarrier, kToneLock}, true),
         items({kHigh, kLow}, true)},
    };
    static const std::vector<std::string> kNone;
    if (col == col::kRxTone || col == col::kTxTone) {
        return toneList(m_bChinese);
    }
    if (col >= col::kWidth && col <= col::kPower) {
        return kLists[m_bChinese ? 1 : 0][col - col::kWidth];
    }
    return kNone;
}

int CChannelTable::initialListIndex(int col, const std::string& cellText) const {
    const std::vector<std::string>& list = listItems(col);
    for (size_t i = 0; i < list.size(); ++i) {
        if (ascii::startsWithIgnoringCase(list[i], cellText)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::string CChannelTable::defaultText(int col, bool chinese) {
    switch (col) {
    case col::kRxTone:
    case col::kTxTone:
        return toneList(chinese)[0];
    case col::kWidth:
        return pick(kWide, chinese);
    case col::kScan:
        return pick(kYes, chinese);
    case col::kBusyLock:
        return pick(kOff, chinese);
    case col::kPower:
        return pick(kHigh, chinese);
    default:
        return {};
    }
}

void CChannelTable::decode(const CMemoryImage& image) {
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        auto& row = m_cells[ch];
        const std::optional<uint32_t> rx = image.rxFrequency(ch);
        const std::optional<uint32_t> tx = image.txFrequency(ch);
        const bool inUse = rx && tx;
        row[col::kRxFrequency] = rx ? formatFrequency(*rx) : "";
        row[col::kTxFrequency] = tx ? formatFrequency(*tx) : "";

        // A tone word is shown even for a channel that is not in use; "None" only for one that is.
        const auto toneText = [&](const Tone& t) {
            return (t.kind == ToneKind::None && !inUse) ? std::string() : formatTone(t, m_bChinese);
        };
        row[col::kRxTone] = toneText(image.rxTone(ch));
        row[col::kTxTone] = toneText(image.txTone(ch));

        if (!inUse) {
            for (int c = col::kWidth; c <= col::kPower; ++c) {
                row[c].clear();
            }
            continue;
        }
        row[col::kWidth] = pick(image.isWide(ch) ? kWide : kNarrow, m_bChinese);
        row[col::kScan] = pick(image.isScanned(ch) ? kYes : kNo, m_bChinese);
        const BusyLock lock = image.busyLock(ch);
        row[col::kBusyLock] =
            pick(lock == BusyLock::Off ? kOff : lock == BusyLock::Carrier ? kCarrier : kToneLock, m_bChinese);
        row[col::kPower] = pick(image.isHighPower(ch) ? kHigh : kLow, m_bChinese);
    }
}

void CChannelTable::encode(CMemoryImage& image) const {
    for (int ch = 1; ch <= image::kChannelCount; ++ch) {
        const auto& row = m_cells[ch];
        image.setRxFrequency(ch, storedFrequency(row[col::kRxFrequency]));
        image.setTxFrequency(ch, storedFrequency(row[col::kTxFrequency]));
        image.setRxTone(ch, parseToneText(row[col::kRxTone]));
        image.setTxTone(ch, parseToneText(row[col::kTxTone]));
        // Anything but the narrow text is wide, anything but the low text is high, and any
        // lock text that is neither off nor carrier locks on the tone: the radio's defaults.
        image.setWide(ch, !isEither(row[col::kWidth], kNarrow));
        image.setScanned(ch, isEither(row[col::kScan], kYes));
        const std::string& lock = row[col::kBusyLock];
        image.setBusyLock(ch, isEither(lock, kOff)       ? BusyLock::Off
                              : isEither(lock, kCarrier) ? BusyLock::Carrier
                                                         : BusyLock::Tone);
        image.setHighPower(ch, !isEither(row[col::kPower], kLow));
    }
}

CommitOutcome CChannelTable::commitFrequency(int row, int col, const std::string& typed, BandLimits limits) {
    checkCell(row, col);
    if (row == 0 || (col != col::kRxFrequency && col != col::kTxFrequency)) {
        throw std::invalid_argument("not a frequency cell");
    }
    auto& cells = m_cells[row];
    const std::string rx = cells[col::kRxFrequency];

    if (typed.empty()) {
        if (col == col::kRxFrequency) {
            clearRow(row);
        } else {
            cells[col::kTxFrequency] = rx;
        }
        return {};
    }

    std::optional<int32_t> f = parseFrequencyText(typed);
    if (f && (*f <= 0 || static_cast<uint32_t>(*f) > image::kMaxFrequency10Hz)) {
        f.reset(); // the image cannot hold it: out of range whatever the band says
    }
    const FrequencyCheck check = checkFrequency(f, limits);
    if (check != FrequencyCheck::Ok) {
        return {false, messageFor(check)};
    }
    const std::string text = formatFrequency(static_cast<uint32_t>(*f));

    if (col == col::kTxFrequency) {
        cells[col::kTxFrequency] = rx.empty() ? std::string() : text;
        return {};
    }
    if (!rx.empty()) {
        cells[col::kRxFrequency] = text;
        return {};
    }
    cells[col::kRxFrequency] = text;
    cells[col::kTxFrequency] = text;
    for (int c = col::kRxTone; c <= col::kPower; ++c) {
        cells[c] = defaultText(c, m_bChinese);
    }
    return {};
}

void CChannelTable::commitList(int row, int col, const std::string& chosen, bool userChose) {
    checkCell(row, col);
    if (row == 0 || !isListColumn(col)) {
        throw std::invalid_argument("not a list cell");
    }
    auto& cells = m_cells[row];
    if (cells[col::kRxFrequency].empty() && cells[col::kTxFrequency].empty()) {
        cells[col].clear();
        return;
    }
    if (!userChose && !cells[col].empty()) {
        const std::vector<std::string>& list = listItems(col);
        bool listed = false;
        for (const std::string& item : list) {
            listed = listed || item == cells[col];
        }
        if (!listed) {
            return; // keep a value the list cannot show
        }
    }
    cells[col] = chosen;
}
