#include "platform/DeviceTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;

} // namespace

DeviceTree::DeviceTree(std::string root) : m_root(std::move(root)) {
    if (m_root.empty()) {
        m_root = "/";
    }
    while (m_root.size() > 1 && m_root.back() == '/') {
        m_root.pop_back();
    }
}

std::string DeviceTree::path(const std::string& absolute) const {
    if (isRealMachine()) {
        return absolute;
    }
    if (absolute.empty() || absolute.front() != '/') {
        return m_root + "/" + absolute;
    }
    return m_root + absolute;
}

std::vector<std::string> DeviceTree::listDir(const std::string& absolute) const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(path(absolute), error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string DeviceTree::readText(const std::string& absolute, size_t maxBytes) const {
    std::ifstream in(path(absolute), std::ios::binary);
    if (!in) {
        return {};
    }
    std::string text(maxBytes, '\0');
    in.read(&text[0], static_cast<std::streamsize>(maxBytes));
    text.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r' ||
                             text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t' || text[start] == '\n')) {
        ++start;
    }
    return text.substr(start);
}

std::string DeviceTree::readLink(const std::string& absolute) const {
    std::error_code error;
    const fs::path target = fs::read_symlink(path(absolute), error);
    return error ? std::string() : target.string();
}

bool DeviceTree::exists(const std::string& absolute) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(path(absolute), error)) && !error;
}

bool DeviceTree::isDirectory(const std::string& absolute) const {
    std::error_code error;
    return fs::is_directory(path(absolute), error);
}

std::string DeviceTree::resolve(const std::string& absolute) const {
    // realpath() inside the tree: the name is taken apart and built up again one part at a time,
    // a part that is a link being replaced by its target, so that links in the middle (sysfs's
    // /sys/class/tty/ttyUSB0 is one) count as well as the last one.
    std::vector<std::string> pending;
    const auto pushFront = [&pending](const std::string& name) {
        std::vector<std::string> parts;
        size_t at = 0;
        while (at <= name.size()) {
            size_t end = name.find('/', at);
            end = end == std::string::npos ? name.size() : end;
            if (end > at) {
                parts.push_back(name.substr(at, end - at));
            }
            at = end + 1;
        }
        pending.insert(pending.begin(), parts.begin(), parts.end());
    };
    pushFront(absolute);
    std::string done; // resolved so far, no links in it; "" is the root
    int links = 0;
    while (!pending.empty()) {
        const std::string part = pending.front();
        pending.erase(pending.begin());
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            done = done.substr(0, done.empty() ? 0 : done.rfind('/'));
            continue;
        }
        const std::string candidate = done + "/" + part;
        const std::string target = links < kMaxLinks ? readLink(candidate) : std::string();
        // A target outside the tree (a fake tree's link to a real terminal) is not followed.
        if (!target.empty() && exists(normalizedPath(done.empty() ? "/" : done, target))) {
            ++links;
            if (target.front() == '/') {
                done.clear();
            }
            pushFront(target);
            continue;
        }
        done = candidate;
    }
    return done.empty() ? "/" : done;
}

std::string normalizedPath(const std::string& folder, const std::string& name) {
    const std::string whole = !name.empty() && name.front() == '/' ? name : folder + "/" + name;
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= whole.size()) {
        size_t end = whole.find('/', at);
        if (end == std::string::npos) {
            end = whole.size();
        }
        const std::string part = whole.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += "/" + part;
    }
    return result.empty() ? "/" : result;
}
