#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <cstdint>
#include <optional>
#include <string>

// A .dat file is the 1024 image bytes in row order and nothing else.
enum class DatFileError {
    None,
    DataFormat, // not a regular file of exactly 1024 bytes: "Data Format Error"
    Open,       // cannot be opened or created; detail holds the system's reason
    Read,
    Write,
};

struct DatFileResult {
    DatFileError error = DatFileError::None;
    std::string detail; // the system's reason, for Open/Read/Write
    // DataFormat of a regular file: its length in bytes; none for a folder, a pipe or a device.
    std::optional<uintmax_t> fileSize = std::nullopt;
    explicit operator bool() const { return error == DatFileError::None; }
};

// Loads a file into `image`. The image is changed only when the whole file was read.
DatFileResult loadDatFile(const std::string& path, MemoryImage& image);
// The same for the bytes of a file read elsewhere (a pipe, standard input); DataFormat unless
// they are exactly one image, with their count as fileSize.
DatFileResult loadDatBytes(const std::string& bytes, MemoryImage& image);

// Saves through a temporary file in the same folder that is renamed over the target, so a
// failed save leaves the previous file as it was.
DatFileResult saveDatFile(const std::string& path, const MemoryImage& image);
// The same for a file that must not exist: it is never replaced, also when it appears while the
// image is written.
DatFileResult saveNewDatFile(const std::string& path, const MemoryImage& image);

// "Data Format Error" or its Chinese twin.
const char* dataFormatErrorText(Language language);
