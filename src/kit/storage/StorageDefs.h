// Open modes, name lengths and error codes of the storage kit.
#pragma once

#include "kit/app/SupportDefs.h"

// Linux names are at most 255 bytes, so these hold any name or type the kit
// hands out.
inline constexpr int32 B_FILE_NAME_LENGTH = 256;
inline constexpr int32 B_MIME_TYPE_LENGTH = 256;

enum : uint32
{
    B_READ_ONLY = 0x0000,
    B_WRITE_ONLY = 0x0001,
    B_READ_WRITE = 0x0002,
    B_ACCESS_MODE = 0x0003,
    B_FAIL_IF_EXISTS = 0x0100,
    B_CREATE_FILE = 0x0200,
    B_ERASE_FILE = 0x0400,
    B_OPEN_AT_END = 0x0800,
};

enum : status_t
{
    B_STORAGE_ERROR_BASE = B_GENERAL_ERROR_BASE + 0x6000,
    B_FILE_ERROR = B_STORAGE_ERROR_BASE,
    B_FILE_EXISTS,
    B_NAME_TOO_LONG,
    B_NOT_A_DIRECTORY,
    B_DIRECTORY_NOT_EMPTY,
    B_DEVICE_FULL,
    B_READ_ONLY_DEVICE,
    B_IS_A_DIRECTORY,
    B_NO_MORE_FDS,
    B_CROSS_DEVICE_LINK,
    B_LINK_LIMIT,
};

// The kit's result for a failed system call's errno.
status_t status_for_errno(int error);
