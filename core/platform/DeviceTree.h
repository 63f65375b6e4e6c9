#pragma once

#include <string>
#include <vector>

// The files that describe serial devices (/dev, /sys, /proc, /run/lock, /var/lock), read below a
// root folder so that tests can hand in a fake tree with the same layout; "/" is the real machine.
// Every name given to and returned by it is absolute as on the machine ("/dev/ttyUSB0"); only
// path() adds the root. Nothing here throws: a missing or odd file reads as empty. Nothing here
// blocks: only regular files are read, opened without waiting (a FIFO or a terminal reads as
// empty). In a fake tree no link that leads out of it is followed, in any part of a name.
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
    // At most `maxBytes` of a regular file as they are (lock files may hold a binary PID).
    std::string readBytes(const std::string& absolute, size_t maxBytes) const;
    // The text of a symbolic link as stored; empty when it is none.
    std::string readLink(const std::string& absolute) const;
    bool exists(const std::string& absolute) const;
    bool isDirectory(const std::string& absolute) const;
    // A descriptor of the folder (O_RDONLY, close-on-exec) for working in it with the *at()
    // calls, links followed as resolve() does; -1 when it is none. The caller closes it.
    int openFolder(const std::string& absolute) const;

    // `absolute` with its symbolic links followed inside the tree, in every part of the name
    // (relative targets against the link's folder, ".." resolved), a link only when its target
    // exists in the tree; at most 40 links.
    // "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0" -> "/dev/ttyUSB0".
    std::string resolve(const std::string& absolute) const;

private:
    std::string resolveWithin(const std::string& absolute, int depth) const;
    // The same, for names already resolved: a link in any part makes them fail in a fake tree.
    int openFolderAsIs(const std::string& absolute) const;
    std::string readLinkAsIs(const std::string& absolute) const;
    bool existsAsIs(const std::string& absolute) const;

    std::string m_root; // without a trailing slash, except "/" itself
};

// "/a/b/../c/./d" -> "/a/c/d"; a relative `name` is taken against `folder`.
std::string normalizedPath(const std::string& folder, const std::string& name);
