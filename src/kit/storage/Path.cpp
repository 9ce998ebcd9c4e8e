#include "kit/storage/Path.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "kit/storage/Entry.h"

static bool ResolveText(const std::string& text, std::string* result)
{
    std::string full;
    if (text.empty() || text[0] != '/') {
        char* current = getcwd(nullptr, 0);
        if (current == nullptr)
            return false;
        full = current;
        free(current);
        full += '/';
    }
    full += text;

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= full.size()) {
        size_t end = full.find('/', start);
        if (end == std::string::npos)
            end = full.size();
        std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }

    result->clear();
    for (const std::string& part : parts) {
        *result += '/';
        *result += part;
    }
    if (result->empty())
        *result = "/";
    return true;
}

BPath::BPath() : fInitStatus(B_NO_INIT) {}

BPath::BPath(const char* path, const char* leaf, bool normalize) : fInitStatus(B_NO_INIT)
{
    SetTo(path, leaf, normalize);
}

BPath::BPath(const entry_ref* ref) : fInitStatus(B_NO_INIT)
{
    SetTo(ref);
}

BPath::BPath(const BEntry* entry) : fInitStatus(B_NO_INIT)
{
    SetTo(entry);
}

status_t BPath::SetTo(const char* path, const char* leaf, bool)
{
    if (path == nullptr || path[0] == '\0' || (leaf != nullptr && leaf[0] == '/')) {
        Unset();
        return fInitStatus = B_BAD_VALUE;
    }

    // Copied first: path or leaf may point into fPath.
    std::string text = path;
    if (leaf != nullptr && leaf[0] != '\0') {
        text += '/';
        text += leaf;
    }
    Unset();
    if (!ResolveText(text, &fPath))
        return fInitStatus = B_ENTRY_NOT_FOUND;
    return fInitStatus = B_OK;
}

status_t BPath::SetTo(const entry_ref* ref)
{
    if (ref == nullptr) {
        Unset();
        return fInitStatus = B_BAD_VALUE;
    }
    return SetTo(ref->path.c_str());
}

status_t BPath::SetTo(const BEntry* entry)
{
    Unset();
    if (entry == nullptr)
        return fInitStatus = B_BAD_VALUE;
    return fInitStatus = entry->GetPath(this);
}

status_t BPath::Append(const char* path, bool normalize)
{
    if (fInitStatus != B_OK)
        return fInitStatus;
    return SetTo(fPath.c_str(), path, normalize);
}

void BPath::Unset()
{
    fPath.clear();
    fInitStatus = B_NO_INIT;
}

const char* BPath::Path() const
{
    return fInitStatus == B_OK ? fPath.c_str() : nullptr;
}

const char* BPath::Leaf() const
{
    if (fInitStatus != B_OK)
        return nullptr;
    return fPath.c_str() + fPath.rfind('/') + 1;
}

status_t BPath::GetParent(BPath* parent) const
{
    if (parent == nullptr)
        return B_BAD_VALUE;
    if (fInitStatus != B_OK)
        return fInitStatus;
    if (fPath == "/") {
        parent->Unset();
        return B_ENTRY_NOT_FOUND;
    }
    size_t slash = fPath.rfind('/');
    return parent->SetTo(slash == 0 ? "/" : fPath.substr(0, slash).c_str());
}

bool BPath::operator==(const BPath& other) const
{
    return fInitStatus == other.fInitStatus && fPath == other.fPath;
}
