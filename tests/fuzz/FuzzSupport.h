#pragma once

// What the fuzz targets share: stopping on a broken contract, a scratch folder for the inputs
// that the code under test reads from files, and small readers of the fuzzer's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzz {

// Stops the run with the contract's name, so libFuzzer keeps the input as a crash.
[[noreturn]] inline void broken(const char* contract) {
    std::fprintf(stderr, "\nfuzz contract broken: %s\n", contract);
    std::abort();
}

inline void require(bool holds, const char* contract) {
    if (!holds) {
        broken(contract);
    }
}

// A folder of this process below TMPDIR, removed when the process ends normally.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/fuzz.XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::perror(path.c_str());
        std::abort();
    }
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The fuzzer's bytes, read from the front; past the end every read gives 0.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int32_t int32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<uint32_t>(byte()) << (8 * i);
        }
        return static_cast<int32_t>(value);
    }
    // Up to n bytes.
    std::string_view take(size_t n) {
        const size_t count = std::min(n, m_size - std::min(m_pos, m_size));
        std::string_view part(reinterpret_cast<const char*>(m_data) + m_pos, count);
        m_pos += count;
        return part;
    }
    std::string_view rest() { return take(m_size); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace fuzz
