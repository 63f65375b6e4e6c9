#include "platform/LocalTime.h"

namespace platform {

bool localTime(std::time_t time, std::tm& out) {
#if defined(_WIN32)
    return ::localtime_s(&out, &time) == 0;
#else
    return ::localtime_r(&time, &out) != nullptr;
#endif
}

} // namespace platform
