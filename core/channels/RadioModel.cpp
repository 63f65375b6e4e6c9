#include "channels/RadioModel.h"

#include "settings/IniFile.h"
#include "text/CoreTexts.h"

namespace radiomodel {

namespace {
const char* const kSetup = "Setup";
std::string key(const char* prefix, unsigned number) {
    return prefix + std::to_string(number);
}
} // namespace

std::vector<std::string> typeNames(const IniFile& ini) {
    std::vector<std::string> names;
    for (int k = 1; k <= kMaxTypes; ++k) {
        std::string name = ini.value(kSetup, key("Type", static_cast<unsigned>(k)), "");
        if (name.empty()) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> bandNames(const IniFile& ini, unsigned typeIndex) {
    std::string rest = ini.value(kSetup, key("Field", typeIndex + 1), "");
    std::vector<std::string> bands;
    for (size_t bar; (bar = rest.find('|')) != std::string::npos;) {
        bands.push_back(rest.substr(0, bar));
        rest.erase(0, bar + 1);
    }
    bands.push_back(rest);
    return bands;
}

std::string typeName(const IniFile& ini, unsigned typeIndex) {
    return ini.value(kSetup, key("Type", typeIndex + 1), "");
}

std::string bandName(const IniFile& ini, unsigned typeIndex, unsigned bandIndex) {
    return bandTextFromList(ini.value(kSetup, key("Field", typeIndex + 1), ""), bandIndex);
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

TypeAndBand describe(const MemoryImage& image, const IniFile& ini) {
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

bool isListed(const IniFile& ini, uint32_t type, uint32_t band) {
    return type < typeNames(ini).size() && band < bandNames(ini, type).size();
}

TypeAndBand synchronise(MemoryImage& image, bool newDocument, ISettingsStore& store, const IniFile& ini) {
    if (newDocument) {
        uint32_t type = store.readValue("Type", 0);
        uint32_t band = store.readValue("Field", 0);
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
    SettingsWriteResult result = store.writeValue("Type", image.radioType());
    if (result) {
        result = store.writeValue("Field", image.band());
    }
    return result;
}

} // namespace radiomodel
