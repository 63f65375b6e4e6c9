#pragma once

#include "platform/DeviceTree.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// UUCP lock files, the convention serial programs on Linux share (minicom, picocom, the
// lockdev library): while a program uses /dev/ttyUSB0 it keeps /run/lock/LCK..ttyUSB0 (or the
// same in /var/lock) holding its PID in ASCII, ten characters wide and a newline. A file whose
// PID names no running process is stale and does not count. Only regular files are locks: they
// are opened without waiting and without following a link, and read as they are.

// The lock folders of the tree that exist, in the order they are looked at.
std::vector<std::string> lockFolders(const DeviceTree& tree);
// "LCK..ttyUSB0" for "/dev/ttyUSB0" (the last part of the name, as minicom and picocom use it).
std::string lockFileName(const std::string& device);
// The PID a lock file's text names: ASCII digits, surrounded by white space ("      1234\n"),
// or a 4-byte binary PID in the machine's byte order as very old programs wrote it (four bytes
// with a NUL among them). 0 when it names none.
int lockFilePid(const std::string& text);
// The PID of this process.
int currentProcessId();
// Whether a process runs: /proc/<pid> in a fake tree that has a /proc; otherwise asks the system.
bool processRuns(int pid, const DeviceTree& tree);

struct PortLockOwner {
    int pid = 0;
    std::string lockFile; // absolute, as on the machine
};
// The live lock on `device` (a device name as on the machine, links already followed), if any.
std::optional<PortLockOwner> livePortLock(const std::string& device, const DeviceTree& tree);

enum class PortLockResult {
    Taken,     // the lock file is ours until release()
    NotNeeded, // no lock folder this user may write in: the port is used without one
    Busy,      // a live lock of another process exists
};

// The lock file of one transfer. take() writes it atomically (a temporary file linked to the
// lock name, so that two programs never both believe they hold it) after removing a stale one;
// release() and the destructor remove it. While it is held, its name is also registered for
// removeHeldLockFilesNow(), so that a signal that ends the program does not leave it behind.
class PortLockFile {
public:
    PortLockFile() = default;
    ~PortLockFile();
    PortLockFile(const PortLockFile&) = delete;
    PortLockFile& operator=(const PortLockFile&) = delete;

    PortLockResult take(const std::string& device, const DeviceTree& tree);
    void release();
    bool held() const { return !m_path.empty(); }
    // The owner that made take() answer Busy.
    const PortLockOwner& owner() const { return m_owner; }

private:
    std::string m_path; // the file on the machine (root-prefixed), empty when not held
    int m_folder = -1;  // the lock folder while held: release() removes m_name in it
    std::string m_name;
    int m_slot = -1;
    PortLockOwner m_owner;
};

// Removes every lock file this process holds, from a signal handler: async-signal-safe (unlink
// only). The program is about to end; the PortLockFile objects are not told.
void removeHeldLockFilesNow();

} // namespace platform
