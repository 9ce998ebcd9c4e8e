// Printing a view on one page, and saving a bitmap as a picture file (the
// calendar's snapshot).
#pragma once

#include "kit/app/SupportDefs.h"

class BBitmap;
class BView;

// Asks for the page set-up and the printer, then prints the view's bounds
// on one page. 0 when printed, -1 when a dialog was cancelled or the job
// failed.
int32 ViewPrint(BView* view);

// Writes bitmap as JPEG when the path contains ".jpg", GIF for ".gif",
// else PNG. The previous file stays intact unless the new one was written
// completely. 0 when written, -1 otherwise. The bitmap stays the caller's.
int32 LocalImageSave(const char* path, BBitmap* bitmap);
