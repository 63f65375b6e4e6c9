#pragma once

#include "channels/Formats.h"
#include "image/MemoryImage.h"
#include "settings/SettingsStore.h"
#include "text/CoreTexts.h"

#include <string>
#include <vector>

class ProgramIni;

// The radio types and frequency bands that Program.ini lists, and how the image's type and
// band bytes, the remembered choice and the band limits follow each other.
//
// Type1 .. Type19 name the types; the list ends at the first missing or empty one. Field<n>
// lists the bands of type n - 1, separated by '|', each like "136 - 174MHz" (see ProgramIni).
namespace radiomodel {

constexpr int kMaxTypes = 19;

std::vector<std::string> typeNames(const ProgramIni& ini);
// The bands of a type, split at every '|'; an empty value gives one empty band.
std::vector<std::string> bandNames(const ProgramIni& ini, unsigned typeIndex);

// The name of type index t ("Type<t+1>", empty when missing).
std::string typeName(const ProgramIni& ini, unsigned typeIndex);
// Band b of type t; the last band when b is at or past the end.
std::string bandName(const ProgramIni& ini, unsigned typeIndex, unsigned bandIndex);

// "<appName>  [ Type:<type>  Fre:<band> ]", or with the Chinese labels.
std::string mainTitle(const std::string& appName, const std::string& type, const std::string& band,
                      Language language);

// What the decoding of an image settles besides the grid texts.
struct TypeAndBand {
    uint8_t type = 0;
    uint8_t band = 0;
    std::string typeName; // empty when Program.ini does not list the type
    std::string bandName; // empty when it does not list the type and band
    BandLimits limits;    // 0 and 0 without a band: no frequency fits
    bool listed = false;  // Program.ini lists the type and, for it, the band
};

// The caption of mainTitle() for a described image: a type or band that Program.ini does not
// list (an erased radio's 0xFF) is named as such rather than left empty.
std::string mainTitle(const std::string& appName, const TypeAndBand& model, Language language);

// Whether Program.ini lists the type and, for it, the band.
bool isListed(const ProgramIni& ini, uint32_t type, uint32_t band);

// A choice of type and band as Product Information and the per-user store hold it: indexes
// into typeNames() and bandNames(type). An index past the end of a list (0xFFFFFFFF for a list
// with nothing chosen) is no choice.
struct Choice {
    uint32_t type = 0;
    uint32_t band = 0;
};

// The remembered choice: Type and Field of the store, 0 when missing.
Choice remembered(ISettingsStore& store);
// Makes `choice` the remembered one; the first write that fails says why.
SettingsWriteResult remember(const Choice& choice, ISettingsStore& store);

// What a choice makes of an image: the image with the choice in its type and band bytes, the
// names and limits that gives, and the channels in use outside the new band when the type or
// band differ from the image's (none when they stay: the user keeps what the band allowed).
struct ChoiceOutcome {
    MemoryImage image;
    TypeAndBand model;
    std::vector<int> outside;
};
ChoiceOutcome choose(const MemoryImage& image, const Choice& choice, const ProgramIni& ini);

// Brings the image's type and band bytes and the remembered choice in line: a new document
// takes the remembered Type and Field into its image (0 and 0 when missing or not listed); any
// other image becomes the remembered choice when Program.ini lists its type and band (an erased
// radio's 0xFF is no choice). Then looks the names and band limits up in Program.ini.
TypeAndBand synchronise(MemoryImage& image, bool newDocument, ISettingsStore& store, const ProgramIni& ini);

// Makes the image's type and band the remembered choice (Type and Field of the store); the
// first write that fails says why.
SettingsWriteResult remember(const MemoryImage& image, ISettingsStore& store);

// Looks the names and limits of the image's type and band up, changing nothing. A type or band
// that Program.ini does not list has no name, and the document then has no band (limits 0/0).
TypeAndBand describe(const MemoryImage& image, const ProgramIni& ini);

} // namespace radiomodel
