#include "channels/RadioModel.h"

#include "channels/ChannelEdit.h"
#include "settings/ProgramIni.h"
#include "text/CoreTexts.h"

namespace radiomodel {

std::vector<std::string> typeNames(const ProgramIni& ini) {
    std::vector<std::string> names;
    for (unsigned t = 0; t < static_cast<unsigned>(kMaxTypes); ++t) {
        std::string name = ini.typeName(t);
        if (name.empty()) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> bandNames(const ProgramIni& ini, unsigned typeIndex) {
    std::string rest = ini.bandList(typeIndex);
    std::vector<std::string> bands;
    for (size_t bar; (bar = rest.find('|')) != std::string::npos;) {
        bands.push_back(rest.substr(0, bar));
        rest.erase(0, bar + 1);
    }
    bands.push_back(rest);
    return bands;
}

std::string typeName(const ProgramIni& ini, unsigned typeIndex) {
    return ini.typeName(typeIndex);
}

std::string bandName(const ProgramIni& ini, unsigned typeIndex, unsigned bandIndex) {
    return bandTextFromList(ini.bandList(typeIndex), bandIndex);
}

std::string mainTitle(const std::string& appName, const std::string& type, const std::string& band,
                      Language language) {
    return appName + "  [ " + coreText(CoreText::CaptionType, language) + type + "  " +
           coreText(CoreText::CaptionBand, language) + band + " ]";
}

std::string mainTitle(const std::string& appName, const TypeAndBand& model, Language language) {
    const std::string notListed = coreText(CoreText::NotInProgramIni, language);
    // A listed type always has a name: the list ends at the first empty one.
    return mainTitle(appName, model.typeName.empty() ? notListed : model.typeName,
                     model.listed ? model.bandName : notListed, language);
}

TypeAndBand describe(const MemoryImage& image, const ProgramIni& ini) {
    TypeAndBand d;
    d.type = image.radioType();
    d.band = image.band();
    d.listed = isListed(ini, d.type, d.band);
    if (d.type < typeNames(ini).size()) {
        d.typeName = typeName(ini, d.type);
    }
    // A band index past the end of its type's list names no band: the document has none
    // until the user chooses one, rather than the last band of the list.
    if (d.listed) {
        d.bandName = bandName(ini, d.type, d.band);
        d.limits = bandLimitsFromText(d.bandName);
    }
    return d;
}

bool isListed(const ProgramIni& ini, uint32_t type, uint32_t band) {
    return type < typeNames(ini).size() && band < bandNames(ini, type).size();
}

TypeAndBand synchronise(MemoryImage& image, bool newDocument, ISettingsStore& store, const ProgramIni& ini) {
    if (newDocument) {
        auto [type, band] = remembered(store);
        if (!isListed(ini, type, band)) {
            type = band = 0;
        }
        image.setRadioType(static_cast<uint8_t>(type));
        image.setBand(static_cast<uint8_t>(band));
    } else if (isListed(ini, image.radioType(), image.band())) {
        remember(image, store);
    }
    return describe(image, ini);
}

SettingsWriteResult remember(const MemoryImage& image, ISettingsStore& store) {
    return remember(Choice{image.radioType(), image.band()}, store);
}

Choice remembered(ISettingsStore& store) {
    return {store.readValue("Type", 0), store.readValue("Field", 0)};
}

SettingsWriteResult remember(const Choice& choice, ISettingsStore& store) {
    SettingsWriteResult result = store.writeValue("Type", choice.type);
    if (result) {
        result = store.writeValue("Field", choice.band);
    }
    return result;
}

ChoiceOutcome choose(const MemoryImage& image, const Choice& choice, const ProgramIni& ini) {
    ChoiceOutcome outcome{image, {}, {}};
    // The bytes hold the low byte of an index: no choice becomes an erased radio's 0xFF.
    outcome.image.setRadioType(static_cast<uint8_t>(choice.type & 0xFF));
    outcome.image.setBand(static_cast<uint8_t>(choice.band & 0xFF));
    outcome.model = describe(outcome.image, ini);
    if (outcome.image.radioType() != image.radioType() || outcome.image.band() != image.band()) {
        outcome.outside = channeledit::channelsOutsideBand(outcome.image, outcome.model.limits);
    }
    return outcome;
}

} // namespace radiomodel
