#include "expansion/local_clock.h"

#include <ctime>

namespace tw {

LocalDateTime SystemLocalClock::Now() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    LocalDateTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    // A leap second reads as the last ordinary second of the minute.
    t.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
    return t;
}

} // namespace tw
