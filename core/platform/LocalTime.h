#pragma once

#include <ctime>

namespace platform {

// The calendar time of `time` in the user's time zone; thread-safe (unlike std::localtime).
// False when the system cannot convert it.
bool localTime(std::time_t time, std::tm& out);

} // namespace platform
