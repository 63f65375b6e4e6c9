#pragma once

#include <ctime>

namespace platform {

// The calendar time of `time` in the user's time zone; thread-safe (unlike std::localtime).
// False when the system cannot convert it.
bool localTime(std::time_t time, std::tm& out);

// The offset from UTC, in seconds east, that the user's time zone has at the local calendar
// time `local` (its tm_isdst is ignored: the zone's rules decide on summer time). False when
// the system cannot convert it.
bool utcOffsetAt(const std::tm& local, long& offsetSeconds);

} // namespace platform
