// A text that several threads read and write, such as the open project's
// names: every access copies under a lock, so no reader sees half a write.
// There is deliberately no c_str(): a pointer into the text would outlive
// the lock.
#pragma once

#include <iosfwd>
#include <mutex>
#include <string>
#include <string_view>

class SharedText
{
public:
    SharedText() = default;
    SharedText(const SharedText&) = delete;

    std::string Get() const;
    void Set(std::string text);

    operator std::string() const { return Get(); }
    SharedText& operator=(const SharedText& other);
    SharedText& operator=(std::string text);
    SharedText& operator=(const char* text);

    size_t size() const;
    bool empty() const { return size() == 0; }
    void clear() { Set(std::string()); }

    bool operator==(std::string_view text) const;

private:
    mutable std::mutex fLock;
    std::string fText;
};

// For test failure messages.
void PrintTo(const SharedText& text, std::ostream* out);
