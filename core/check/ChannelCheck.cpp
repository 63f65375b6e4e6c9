#include "check/ChannelCheck.h"

#include "channels/ChannelCodec.h"
#include "channels/Formats.h"
#include "options/Options.h"

#include <algorithm>

namespace channelcheck {

const ChannelFieldInfo* gridField(FindingField field) {
    static const std::pair<FindingField, CoreText> kHeadings[] = {
        {FindingField::RxFrequency, CoreText::HeadingRxFrequency},
        {FindingField::TxFrequency, CoreText::HeadingTxFrequency},
        {FindingField::RxTone, CoreText::HeadingRxTone},
        {FindingField::TxTone, CoreText::HeadingTxTone},
        {FindingField::Width, CoreText::HeadingWidth},
        {FindingField::Scan, CoreText::HeadingScan},
        {FindingField::Power, CoreText::HeadingPower}};
    for (const auto& [finding, heading] : kHeadings) {
        if (finding == field) {
            for (const ChannelFieldInfo& info : channelFields()) {
                if (info.heading == heading) {
                    return &info;
                }
            }
        }
    }
    return nullptr;
}

const char* kindKey(FindingKind kind) {
    switch (kind) {
    case FindingKind::TooWide:
        return "too_wide";
    case FindingKind::HighPower:
        return "high_power";
    case FindingKind::MixedServices:
        return "mixed_services";
    case FindingKind::TransmitNoPlan:
        return "transmit_no_plan";
    case FindingKind::DecodeOnly:
        return "decode_only";
    case FindingKind::EncodeOnly:
        return "encode_only";
    case FindingKind::Duplicate:
        return "duplicate";
    case FindingKind::PriorityEmpty:
        return "priority_empty";
    case FindingKind::PriorityNotScanned:
        return "priority_not_scanned";
    }
    return "";
}

const char* fieldHeading(FindingField field, Language language) {
    if (const ChannelFieldInfo* info = gridField(field)) {
        return coreText(info->heading, language);
    }
    return coreText(field == FindingField::Priority ? CoreText::PriorityChannel : CoreText::HeadingChannel,
                    language);
}

namespace {

// A service's rule for one frequency, from one plan row.
struct ServiceRule {
    const ChannelPlan* plan;
    const PlanChannel* row;
};

// The plan rows that receive or transmit on freq10Hz.
std::vector<ServiceRule> rulesFor(uint32_t freq10Hz, const std::vector<ChannelPlan>& plans) {
    std::vector<ServiceRule> rules;
    for (const ChannelPlan& plan : plans) {
        for (const PlanChannel& row : plan.channels) {
            if (row.channel.rx10Hz == freq10Hz || row.channel.tx10Hz == freq10Hz) {
                rules.push_back({&plan, &row});
            }
        }
    }
    return rules;
}

std::vector<std::string> services(const std::vector<ServiceRule>& rules) {
    std::vector<std::string> names;
    for (const ServiceRule& rule : rules) {
        if (std::find(names.begin(), names.end(), rule.plan->service) == names.end()) {
            names.push_back(rule.plan->service);
        }
    }
    return names;
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        out += (out.empty() ? "" : "/") + name;
    }
    return out;
}

std::string wattsText(int deciW) {
    std::string text = std::to_string(deciW / 10);
    if (deciW % 10) {
        text += "." + std::to_string(deciW % 10);
    }
    return text + " W";
}

class Checker {
public:
    Checker(const std::vector<ChannelPlan>& plans, Language language)
        : m_plans(plans), m_language(language) {}

    void add(FindingKind kind, int channel, FindingField field, std::string service,
             std::initializer_list<std::string_view> more, int other = 0) {
        const CoreText id = textOf(kind);
        const std::string number = std::to_string(channel);
        std::vector<std::string_view> arguments{number, fieldHeading(field, m_language)};
        arguments.insert(arguments.end(), more.begin(), more.end());
        std::string text;
        switch (arguments.size()) {
        case 2:
            text = coreTextWith(id, m_language, {arguments[0], arguments[1]});
            break;
        case 3:
            text = coreTextWith(id, m_language, {arguments[0], arguments[1], arguments[2]});
            break;
        case 4:
            text = coreTextWith(id, m_language, {arguments[0], arguments[1], arguments[2], arguments[3]});
            break;
        default:
            text = coreTextWith(id, m_language,
                                {arguments[0], arguments[1], arguments[2], arguments[3], arguments.at(4)});
            break;
        }
        m_findings.push_back({kind, channel, field, other, std::move(service), std::move(text)});
    }

    void checkServices(int number, const Channel& c) {
        const std::string rx = formatFrequency(*c.rx10Hz);
        const std::string tx = formatFrequency(*c.tx10Hz);
        std::vector<ServiceRule> rxRules = rulesFor(*c.rx10Hz, m_plans);
        std::vector<ServiceRule> txRules = rulesFor(*c.tx10Hz, m_plans);
        const std::vector<std::string> rxServices = services(rxRules);
        const std::vector<std::string> txServices = services(txRules);
        std::vector<std::string> shared;
        for (const std::string& service : rxServices) {
            if (std::find(txServices.begin(), txServices.end(), service) != txServices.end()) {
                shared.push_back(service);
            }
        }
        // A pair that only some services share (a GMRS repeater pair: receive on a frequency
        // FRS shares, transmit on GMRS's own) is held to those services' rules only.
        if (!shared.empty()) {
            const auto notShared = [&](const ServiceRule& rule) {
                return std::find(shared.begin(), shared.end(), rule.plan->service) == shared.end();
            };
            rxRules.erase(std::remove_if(rxRules.begin(), rxRules.end(), notShared), rxRules.end());
            txRules.erase(std::remove_if(txRules.begin(), txRules.end(), notShared), txRules.end());
        }
        // Width: the receive frequency's row rules, as the channel is heard and sent on it.
        std::vector<std::string> narrowServices;
        for (const ServiceRule& rule : rxRules) {
            if (rule.row->narrowOnly && c.wide && rule.row->channel.rx10Hz == c.rx10Hz &&
                std::find(narrowServices.begin(), narrowServices.end(), rule.plan->service) ==
                    narrowServices.end()) {
                narrowServices.push_back(rule.plan->service);
                add(FindingKind::TooWide, number, FindingField::Width, rule.plan->service,
                    {rx, rule.plan->service});
            }
        }
        // Power: the transmit frequency's rules.
        std::vector<std::string> powerServices;
        for (const ServiceRule& rule : txRules) {
            const int limit = rule.row->powerLimitDeciW;
            if (c.highPower && limit > 0 && limit < kTypicalHighPowerDeciW &&
                std::find(powerServices.begin(), powerServices.end(), rule.plan->service) ==
                    powerServices.end()) {
                powerServices.push_back(rule.plan->service);
                const std::string limitText =
                    rule.row->powerLimitText.empty() ? wattsText(limit) : rule.row->powerLimitText;
                add(FindingKind::HighPower, number, FindingField::Power, rule.plan->service,
                    {tx, rule.plan->service, limitText});
            }
        }
        if (!rxServices.empty() && txServices.empty()) {
            add(FindingKind::TransmitNoPlan, number, FindingField::TxFrequency, joined(rxServices),
                {joined(rxServices), tx});
        } else if (!rxServices.empty() && !txServices.empty() && shared.empty()) {
            add(FindingKind::MixedServices, number, FindingField::TxFrequency, joined(txServices),
                {joined(rxServices), joined(txServices)});
        }
    }

    void checkTones(int number, const Channel& c) {
        const bool decode = c.rxTone.kind != ToneKind::None;
        const bool encode = c.txTone.kind != ToneKind::None;
        if (decode && !encode) {
            add(FindingKind::DecodeOnly, number, FindingField::TxTone, {}, {});
        } else if (encode && !decode) {
            add(FindingKind::EncodeOnly, number, FindingField::RxTone, {}, {});
        }
    }

    std::vector<Finding> m_findings;

private:
    static CoreText textOf(FindingKind kind) {
        switch (kind) {
        case FindingKind::TooWide:
            return CoreText::CheckTooWide;
        case FindingKind::HighPower:
            return CoreText::CheckHighPower;
        case FindingKind::MixedServices:
            return CoreText::CheckMixedServices;
        case FindingKind::TransmitNoPlan:
            return CoreText::CheckTransmitNoPlan;
        case FindingKind::DecodeOnly:
            return CoreText::CheckDecodeOnly;
        case FindingKind::EncodeOnly:
            return CoreText::CheckEncodeOnly;
        case FindingKind::Duplicate:
            return CoreText::CheckDuplicate;
        case FindingKind::PriorityEmpty:
            return CoreText::CheckPriorityEmpty;
        case FindingKind::PriorityNotScanned:
            return CoreText::CheckPriorityNotScanned;
        }
        return CoreText::CheckDuplicate;
    }

    const std::vector<ChannelPlan>& m_plans;
    Language m_language;
};

} // namespace

std::vector<Finding> check(const MemoryImage& image, const std::vector<ChannelPlan>& plans,
                           Language language) {
    Checker checker(plans, language);
    const Channels channels = ChannelCodec::decodeAll(image);
    for (int number = 1; number <= image::kChannelCount; ++number) {
        const Channel& c = channels[static_cast<size_t>(number - 1)];
        if (!c.isInUse()) {
            continue;
        }
        checker.checkServices(number, c);
        checker.checkTones(number, c);
        for (int earlier = 1; earlier < number; ++earlier) {
            if (channels[static_cast<size_t>(earlier - 1)] == c) {
                checker.add(FindingKind::Duplicate, number, FindingField::Channel, {},
                            {std::to_string(earlier)}, earlier);
                break;
            }
        }
    }
    const int priority = optionSelection(OptionList::Priority, image);
    if (priority >= 1 && priority <= image::kChannelCount) {
        const Channel& c = channels[static_cast<size_t>(priority - 1)];
        const std::string number = std::to_string(priority);
        const char* label = coreText(CoreText::PriorityChannel, language);
        if (!c.isInUse()) {
            checker.m_findings.push_back(
                {FindingKind::PriorityEmpty,
                 priority,
                 FindingField::Priority,
                 0,
                 {},
                 coreTextWith(CoreText::CheckPriorityEmpty, language, {number, label})});
        } else if (!c.scanned) {
            checker.m_findings.push_back(
                {FindingKind::PriorityNotScanned,
                 priority,
                 FindingField::Scan,
                 0,
                 {},
                 coreTextWith(CoreText::CheckPriorityNotScanned, language, {number, label})});
        }
    }
    return checker.m_findings;
}

} // namespace channelcheck
