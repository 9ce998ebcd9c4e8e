#include "app/SharedText.h"

#include <ostream>

std::string SharedText::Get() const
{
    std::lock_guard lock(fLock);
    return fText;
}

void SharedText::Set(std::string text)
{
    std::lock_guard lock(fLock);
    fText.swap(text);
}

SharedText& SharedText::operator=(const SharedText& other)
{
    if (this != &other)
        Set(other.Get());
    return *this;
}

SharedText& SharedText::operator=(std::string text)
{
    Set(std::move(text));
    return *this;
}

SharedText& SharedText::operator=(const char* text)
{
    Set(text != nullptr ? std::string(text) : std::string());
    return *this;
}

size_t SharedText::size() const
{
    std::lock_guard lock(fLock);
    return fText.size();
}

bool SharedText::operator==(std::string_view text) const
{
    std::lock_guard lock(fLock);
    return fText == text;
}

void PrintTo(const SharedText& text, std::ostream* out)
{
    *out << '"' << text.Get() << '"';
}
