// A .dat file of any bytes: loading accepts exactly the 1024-byte files and leaves the image alone
// otherwise; an image that was loaded saves to the same bytes and loads back equal.

#include "FuzzSupport.h"

#include "image/DatFile.h"
#include "image/MemoryImage.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = fuzz::scratch().file("input.dat");
    const std::string saved = fuzz::scratch().file("saved.dat");
    fuzz::writeFile(input, std::string_view(reinterpret_cast<const char*>(data), size));

    MemoryImage image = MemoryImage::newDocument();
    const MemoryImage before = image;
    const DatFileResult loaded = loadDatFile(input, image);
    if (size != image::kSize) {
        fuzz::require(loaded.error == DatFileError::DataFormat, "a file not of 1024 bytes is a format error");
        fuzz::require(image == before, "a refused load leaves the image unchanged");
        return 0;
    }
    fuzz::require(static_cast<bool>(loaded), "a file of 1024 bytes loads");
    fuzz::require(std::memcmp(image.data(), data, size) == 0, "a loaded image holds the file's bytes");

    fuzz::require(static_cast<bool>(saveDatFile(saved, image)), "a loaded image saves");
    fuzz::require(fuzz::readFile(saved) == fuzz::readFile(input), "save writes the bytes that were loaded");
    MemoryImage again;
    fuzz::require(static_cast<bool>(loadDatFile(saved, again)), "a saved image loads");
    fuzz::require(again == image, "save then load gives the same image");
    return 0;
}
