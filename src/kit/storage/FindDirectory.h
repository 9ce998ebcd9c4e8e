// Well-known folders. B_USER_SETTINGS_DIRECTORY is $XDG_CONFIG_HOME when it
// is set to an absolute path, else ~/.config; B_USER_DIRECTORY is the home
// folder ($HOME, else the password database); B_SYSTEM_TEMP_DIRECTORY is
// $TMPDIR when absolute, else /tmp.
#pragma once

#include "kit/app/SupportDefs.h"

class BPath;

enum directory_which
{
    B_SYSTEM_TEMP_DIRECTORY = 1010,
    B_USER_DIRECTORY = 3000,
    B_USER_SETTINGS_DIRECTORY = 3003,
};

// createIt makes the folder (and those above it) when missing, readable by
// the user alone.
status_t find_directory(directory_which which, BPath* path, bool createIt = false);
