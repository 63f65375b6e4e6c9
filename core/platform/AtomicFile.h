#pragma once

#include <string>

namespace platform {

// Replaces the file at `path` with `bytes` so that at every moment the file holds either its
// old or its new content: the bytes go to a temporary file in the same folder, which is flushed
// to disk and then renamed over the target. A symbolic link is followed, so the link stays.
// A new file gets the usual permissions (0666 less the umask); an existing one keeps its own
// and, where the system allows, its owner. An existing target that is not a regular file or
// that we may not write is refused.
// On failure the temporary file is removed, `error` holds the system's reason and the old
// file is untouched.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Reads a whole regular file of at most `maxBytes` into `bytes`. The file is opened without
// waiting, so a pipe without a writer never blocks, and checked after opening, so a pipe or a
// device put in the file's place is refused as well. False with errno set when the file cannot
// be opened or read (EISDIR: a folder, EINVAL: a pipe or a device, EFBIG: larger than
// maxBytes); `bytes` then holds nothing.
bool readRegularFile(const std::string& path, size_t maxBytes, std::string& bytes);

} // namespace platform
