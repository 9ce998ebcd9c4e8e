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

    // At most kNameMax bytes (see RecordText).
    virtual void NewName(const std::string& name);
    // Keeps at most kDateMax bytes of a hand-edited date, right-aligned in
    // ten characters as the file writes it.
    virtual void NewDate(const std::string& date);
    // The name as the holiday file gave it: kept whole while its line holds
    // it (a file of an older build may hold a longer one than kNameMax).
    void TakeFileName(const std::string& name);
    virtual void PrintToStream() const;
    // Appends "[HD][%10s][%s]\n".
    virtual void PrintToFile(std::string& out) const;
    // Appends the "<holiday>" element of the XML project file.
    virtual void PrintToXML(std::string& out) const;

    static constexpr size_t kDateMax = 11;
    // "[HD][" date "][" name "]" in one record line with an 11-byte date.
    static constexpr size_t kNameMax = 234;

    int32 id;
    std::string date;
    std::string name;

    // Number of holidays in existence; a new one's id is the count after it.
    static std::atomic<int32> Nr;

private:
    // The length of the record line PrintToFile writes, without line end.
    size_t _LineLength() const;
};
