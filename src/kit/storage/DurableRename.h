// Putting a finished file in place so that a crash leaves the old file or
// the new one, never a name without its data: the file is synced before it
// is renamed over the target, the folder after. BSafeFile commits this way,
// and so does anything that writes a file by other means (cairo's PDF).
#pragma once

#include <string>

#include "kit/app/SupportDefs.h"

namespace BPrivate {

// Syncs `temporary` (through `fd` when the caller holds it open, else by
// opening it), renames it over `target` and syncs the target's folder. On
// failure the target is untouched and `temporary` is left to the caller.
status_t durable_rename(const std::string& temporary, const std::string& target, int fd = -1);

// The directory entry of a rename is only durable once its folder is synced.
void sync_folder_of(const std::string& path);

// The test seam behind BSafeFile::FailNthStep: every write of a safe file
// and the sync and the rename of every durable rename count as one step.
void fail_nth_storage_step(int32 n);
bool storage_step_fails();

} // namespace BPrivate
