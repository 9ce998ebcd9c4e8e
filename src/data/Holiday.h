// One public holiday: a day text and a name.
#pragma once

#include <atomic>
#include <string>

#include "kit/app/SupportDefs.h"

class Holiday
{
public:
    // "--no-name--" on today.
    Holiday();
    virtual ~Holiday();

    Holiday(const Holiday&) = delete;
    Holiday& operator=(const Holiday&) = delete;

    virtual void NewName(const std::string& name);
    // Keeps at most kDateMax characters of a hand-edited date.
    virtual void NewDate(const std::string& date);
    virtual void PrintToStream() const;
    // Appends "[HD][%10s][%s]\n".
    virtual void PrintToFile(std::string& out) const;
    // Appends the "<holiday>" element of the XML project file.
    virtual void PrintToXML(std::string& out) const;

    static constexpr size_t kDateMax = 11;

    int32 id;
    std::string date;
    std::string name;

    // Number of holidays in existence; a new one's id is the count after it.
    static std::atomic<int32> Nr;
};
