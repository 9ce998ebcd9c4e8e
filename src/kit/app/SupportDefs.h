// Basic types, result codes and four-character codes shared by the kit and
// the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

typedef int32 status_t;
typedef int64 bigtime_t;
typedef uint32 type_code;
typedef int32 thread_id;

// Command codes are written as multi-character literals: 'OADD' is the value
// whose bytes, most significant first, are O, A, D, D. The build turns off
// -Wmultichar; this assertion keeps the value the program relies on.
static_assert('OADD' == 0x4F414444, "four-character codes must be big-endian");

enum : status_t
{
    B_GENERAL_ERROR_BASE = INT32_MIN,
    B_NO_MEMORY = B_GENERAL_ERROR_BASE,
    B_IO_ERROR,
    B_PERMISSION_DENIED,
    B_BAD_INDEX,
    B_BAD_TYPE,
    B_BAD_VALUE,
    B_MISMATCHED_VALUES,
    B_NAME_NOT_FOUND,
    B_NAME_IN_USE,
    B_TIMED_OUT,
    B_INTERRUPTED,
    B_WOULD_BLOCK,
    B_CANCELED,
    B_NO_INIT,
    B_BUSY,
    B_NOT_ALLOWED,
    B_BAD_DATA,
    B_ENTRY_NOT_FOUND,
    B_BAD_PORT_ID,
    B_BAD_THREAD_ID,
    B_ERROR = -1,
    B_OK = 0,
};
