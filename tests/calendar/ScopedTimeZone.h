// Runs a test body under another TZ and restores the old one afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const std::string& zone)
    {
        if (const char* old = getenv("TZ"))
            fOld = old;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        fOld ? setenv("TZ", fOld->c_str(), 1) : unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> fOld;
};

// POSIX rule strings need no tz database, so the daylight-saving cases run
// everywhere; the named zones join in when tzdata is installed.
inline std::vector<std::string> TestZones()
{
    std::vector<std::string> zones = {
        "UTC0",
        "CET-1CEST,M3.5.0,M10.5.0/3",     // Berlin's rules
        "<+14>-14",                       // Kiritimati
        "<-11>11",                        // Pago Pago
        "<-03>3<-02>,M10.3.0/0,M2.3.0/0", // 00:00 is skipped when DST starts
    };
    const char* dir = getenv("TZDIR");
    for (const char* name : {"Europe/Berlin", "Pacific/Kiritimati", "Pacific/Pago_Pago"}) {
        const std::string path = std::string(dir ? dir : "/usr/share/zoneinfo") + "/" + name;
        if (access(path.c_str(), R_OK) == 0)
            zones.push_back(name);
    }
    return zones;
}
