#include "kit/storage/StorageDefs.h"

#include <cerrno>

status_t status_for_errno(int error)
{
    switch (error) {
    case 0:
        return B_OK;
    case ENOENT:
        return B_ENTRY_NOT_FOUND;
    case EACCES:
    case EPERM:
        return B_PERMISSION_DENIED;
    case EEXIST:
        return B_FILE_EXISTS;
    case ENAMETOOLONG:
        return B_NAME_TOO_LONG;
    case ENOTDIR:
        return B_NOT_A_DIRECTORY;
    case ENOTEMPTY:
        return B_DIRECTORY_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return B_DEVICE_FULL;
    case EROFS:
        return B_READ_ONLY_DEVICE;
    case EISDIR:
        return B_IS_A_DIRECTORY;
    case EMFILE:
    case ENFILE:
        return B_NO_MORE_FDS;
    case EXDEV:
        return B_CROSS_DEVICE_LINK;
    case ELOOP:
        return B_LINK_LIMIT;
    case ENOMEM:
        return B_NO_MEMORY;
    case EINVAL:
        return B_BAD_VALUE;
    case EINTR:
        return B_INTERRUPTED;
    case EBADF:
        return B_FILE_ERROR;
    default:
        return B_IO_ERROR;
    }
}
