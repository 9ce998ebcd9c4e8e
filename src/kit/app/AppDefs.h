// Message codes that the kit itself sends or understands.
#pragma once

#include "kit/app/SupportDefs.h"

// System messages.
enum : uint32
{
    B_ABOUT_REQUESTED = '_ABR',
    B_APP_ACTIVATED = '_ACT',
    B_ARGV_RECEIVED = '_ARG',
    B_CANCEL = '_CNC',
    B_KEY_DOWN = '_KYD',
    B_KEY_UP = '_KUP',
    B_MINIMIZE = '_WMN',
    B_MODIFIERS_CHANGED = '_MCH',
    B_MOUSE_DOWN = '_MDN',
    B_MOUSE_ENTER_EXIT = '_MEX',
    B_MOUSE_MOVED = '_MMV',
    B_MOUSE_UP = '_MUP',
    B_MOUSE_WHEEL_CHANGED = '_MWC',
    B_PULSE = '_PUL',
    B_QUIT_REQUESTED = '_QRQ',
    B_READY_TO_RUN = '_RTR',
    B_REFS_RECEIVED = '_RRC',
    B_SCREEN_CHANGED = '_SCH',
    B_UNMAPPED_KEY_DOWN = '_UKD',
    B_UNMAPPED_KEY_UP = '_UKU',
    B_VALUE_CHANGED = '_VCH',
    B_VIEW_MOVED = '_VMV',
    B_VIEW_RESIZED = '_VRS',
    B_WINDOW_ACTIVATED = '_ACT',
    B_WINDOW_MOVED = '_WMV',
    B_WINDOW_RESIZED = '_WRS',
    B_ZOOM = '_WZM',
};

// Closing a window asks its looper to quit.
enum : uint32
{
    B_CLOSE_REQUESTED = B_QUIT_REQUESTED,
};

// Standard messages.
enum : uint32
{
    B_COPY = 'COPY',
    B_CUT = 'CCUT',
    B_MESSAGE_NOT_UNDERSTOOD = 'MNOT',
    B_MIME_DATA = 'MIME',
    B_NO_REPLY = 'NONE',
    B_PASTE = 'PSTE',
    B_REDO = 'REDO',
    B_REPLY = 'RPLY',
    B_SAVE_REQUESTED = 'SAVE',
    B_SELECT_ALL = 'SALL',
    B_SIMPLE_DATA = 'DATA',
    B_UNDO = 'UNDO',
};
