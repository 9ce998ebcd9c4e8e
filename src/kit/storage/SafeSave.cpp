#include "kit/storage/SafeSave.h"

#include <algorithm>

#include "kit/storage/SafeFile.h"

bool SaveWholeFile(const std::string& path, std::string_view bytes)
{
    BSafeFile file(path.c_str());
    if (file.InitCheck() != B_OK)
        return false;
    for (size_t done = 0; done < bytes.size();) {
        const size_t piece = std::min(kSafeSavePiece, bytes.size() - done);
        if (file.Write(bytes.data() + done, piece) != ssize_t(piece))
            return false;
        done += piece;
    }
    return file.Commit() == B_OK;
}
