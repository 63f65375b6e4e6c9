#include "image/DatFile.h"

#include "text/CoreTexts.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

DatFileResult loadDatFile(const std::string& path, MemoryImage& image) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        return {DatFileError::Open, ec ? ec.message() : std::strerror(ENOENT)};
    }
    // A directory, a pipe or a device is no image (and a pipe would never end).
    if (!fs::is_regular_file(status)) {
        return {DatFileError::DataFormat, {}};
    }

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {DatFileError::Open, std::strerror(errno)};
    }
    // Read one byte more than an image holds, so that a longer file is recognised without
    // reading all of it.
    char buffer[image::kSize + 1];
    in.read(buffer, sizeof buffer);
    const std::streamsize got = in.gcount();
    if (in.bad()) {
        return {DatFileError::Read, std::strerror(errno)};
    }
    if (got != static_cast<std::streamsize>(image::kSize)) {
        DatFileResult result{DatFileError::DataFormat, {}, static_cast<uintmax_t>(got)};
        if (got > static_cast<std::streamsize>(image::kSize)) {
            const uintmax_t size = fs::file_size(path, ec);
            result.fileSize = ec ? std::nullopt : std::optional<uintmax_t>(size);
        }
        return result;
    }
    std::memcpy(image.data(), buffer, image::kSize);
    return {};
}

DatFileResult loadDatBytes(const std::string& bytes, MemoryImage& image) {
    if (bytes.size() != image::kSize) {
        return {DatFileError::DataFormat, {}, static_cast<uintmax_t>(bytes.size())};
    }
    std::memcpy(image.data(), bytes.data(), image::kSize);
    return {};
}

namespace {

using FileWriter = bool (*)(const std::string& path, const std::string& bytes, std::string& error);

DatFileResult saveWith(FileWriter write, const std::string& path, const MemoryImage& image) {
    std::string error;
    const std::string bytes(reinterpret_cast<const char*>(image.data()), image::kSize);
    if (!write(path, bytes, error)) {
        return {DatFileError::Write, error};
    }
    return {};
}

} // namespace

DatFileResult saveDatFile(const std::string& path, const MemoryImage& image) {
    return saveWith(platform::writeFileAtomically, path, image);
}

DatFileResult saveNewDatFile(const std::string& path, const MemoryImage& image) {
    return saveWith(platform::writeNewFileAtomically, path, image);
}

const char* dataFormatErrorText(Language language) {
    return coreText(CoreText::DataFormatError, language);
}
