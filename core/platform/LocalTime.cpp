#include "platform/LocalTime.h"

namespace platform {

bool localTime(std::time_t time, std::tm& out) {
#if defined(_WIN32)
    return ::localtime_s(&out, &time) == 0;
#else
    return ::localtime_r(&time, &out) != nullptr;
#endif
}

bool utcOffsetAt(const std::tm& local, long& offsetSeconds) {
    std::tm asked = local;
    asked.tm_isdst = -1;
    const std::time_t time = std::mktime(&asked);
    std::tm found{};
    if (time == static_cast<std::time_t>(-1) || !localTime(time, found)) {
        return false;
    }
#if defined(_WIN32)
    std::tm utc{};
    if (::gmtime_s(&utc, &time) != 0) {
        return false;
    }
    offsetSeconds = static_cast<long>(::_mkgmtime(&found) - ::_mkgmtime(&utc));
#else
    offsetSeconds = found.tm_gmtoff;
#endif
    return true;
}

} // namespace platform
