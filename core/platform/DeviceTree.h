#pragma once

#include <string>
#include <vector>

// The files that describe serial devices (/dev, /sys, /proc, /run/lock, /var/lock), read below a
// root folder so that tests can hand in a fake tree with the same layout; "/" is the real machine.
// Every name given to and returned by it is absolute as on the machine ("/dev/ttyUSB0"); only
// path() adds the root. Nothing here throws: a missing or odd file reads as empty.
class DeviceTree {
public:
    explicit DeviceTree(std::string root = "/");

    const std::string& root() const { return m_root; }
    bool isRealMachine() const { return m_root == "/"; }
    // root + absolute, for handing to the operating system.
    std::string path(const std::string& absolute) const;

    // The names in a folder, sorted; empty when it is missing or unreadable.
    std::vector<std::string> listDir(const std::string& absolute) const;
    // At most `maxBytes` of a small text file, without trailing white space and NULs; empty when
    // it cannot be read. Files of sysfs and /proc are short; the cap keeps garbage harmless.
    std::string readText(const std::string& absolute, size_t maxBytes = 4096) const;
    // The text of a symbolic link as stored; empty when it is none.
    std::string readLink(const std::string& absolute) const;
    bool exists(const std::string& absolute) const;
    bool isDirectory(const std::string& absolute) const;

    // `absolute` with its symbolic links followed inside the tree, in every part of the name
    // (relative targets against the link's folder, ".." resolved), a link only when its target
    // exists in the tree; at most 40 links.
    // "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0" -> "/dev/ttyUSB0".
    std::string resolve(const std::string& absolute) const;

private:
    std::string m_root; // without a trailing slash, except "/" itself
};

// "/a/b/../c/./d" -> "/a/c/d"; a relative `name` is taken against `folder`.
std::string normalizedPath(const std::string& folder, const std::string& name);
