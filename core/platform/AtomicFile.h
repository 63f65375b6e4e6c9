#pragma once

#include <string>

namespace platform {

// Replaces the file at `path` with `bytes` so that at every moment the file holds either its
// old or its new content, also across a crash or a power cut: the bytes go to a temporary file
// in the same folder, which is flushed to disk and renamed over the target, and then the folder
// itself is flushed so that the rename is on disk too. A symbolic link is followed, so the link
// stays. A new file gets the usual permissions (0666 less the umask, applied by the system when
// the temporary file is created); an existing one keeps its own and, where the system allows,
// its owner. An existing target that is not a regular file or that we may not write is refused.
// Ctrl+C, SIGTERM and SIGHUP wait while the temporary file exists, so a signal never leaves one
// behind (they take effect once the save is over).
// On failure the temporary file is removed, `error` holds the system's reason and the old
// file is untouched.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// The same for a file that must not exist yet: it is created complete, or not at all, and an
// existing file, also one that appears while the bytes are written, is never replaced (error
// then says the file exists).
bool writeNewFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Whether writeFileAtomically could replace `path`, as far as can be known before writing (a
// full disk shows only then). The folder must exist, be a folder, and let us create and rename
// files in it; an existing target must be a regular file we may write. A symbolic link is
// followed as writeFileAtomically follows it.
enum class ReplaceProblem {
    None,
    TargetIsFolder,    // the path names a folder
    TargetNotRegular,  // a pipe, a device or a socket
    TargetNotWritable, // a file we may not write (detail: the system's reason)
    FolderMissing,     // the folder does not exist
    FolderNotFolder,   // something that is not a folder stands where the folder should be
    FolderNotWritable, // no new name may be made in the folder (detail: the system's reason)
};

struct ReplaceCheck {
    ReplaceProblem problem = ReplaceProblem::None;
    std::string folder; // the folder the file goes into ("." for a bare name)
    std::string detail; // the system's reason, where there is one
    bool targetExists = false;
    explicit operator bool() const { return problem == ReplaceProblem::None; }
    bool folderIsTheProblem() const { return problem >= ReplaceProblem::FolderMissing; }
};

ReplaceCheck checkReplaceable(const std::string& path);

// Reads a whole regular file of at most `maxBytes` into `bytes`. The file is opened without
// waiting, so a pipe without a writer never blocks, and checked after opening, so a pipe or a
// device put in the file's place is refused as well. False with errno set when the file cannot
// be opened or read (EISDIR: a folder, EINVAL: a pipe or a device, EFBIG: larger than
// maxBytes); `bytes` then holds nothing.
bool readRegularFile(const std::string& path, size_t maxBytes, std::string& bytes);

// The same for a file given by a user, which may also be a pipe (a named one, /dev/stdin or
// /dev/fd/N of a shell's pipeline): a pipe is read to its end, and opening a named pipe waits
// for its writer, as reading one with any other program does. A folder, a device or a socket
// is refused as above.
bool readFileOrPipe(const std::string& path, size_t maxBytes, std::string& bytes);

// Reads an open descriptor (standard input) to its end, at most `maxBytes`; never more than one
// byte past them (EFBIG). Waits for data on a descriptor that was left non-blocking.
bool readDescriptor(int fd, size_t maxBytes, std::string& bytes);

} // namespace platform
