// The translation kit's readers and writers of image files, one source file
// per format. Readers take the whole file in memory and make a new B_RGBA32
// bitmap; writers take a B_RGB32 or B_RGBA32 bitmap and append the file's
// bytes. Alpha survives only in PNG.
#pragma once

#include <vector>

#include "kit/app/SupportDefs.h"

class BBitmap;

namespace BPrivate {

// Pictures beyond these are refused before any pixel memory is taken.
inline constexpr uint32 kMaxImageSide = 16384;
inline constexpr uint64 kMaxImagePixels = 64 * 1024 * 1024;

// A new, zeroed B_RGBA32 bitmap, or null when the size is out of bounds or
// memory runs out.
BBitmap* NewImageBitmap(uint32 width, uint32 height);

status_t DecodeJpeg(const uint8* data, size_t length, BBitmap** bitmap);
status_t DecodePng(const uint8* data, size_t length, BBitmap** bitmap);
status_t DecodeGif(const uint8* data, size_t length, BBitmap** bitmap);

status_t EncodeJpeg(BBitmap* bitmap, std::vector<uint8>* file);
status_t EncodePng(BBitmap* bitmap, std::vector<uint8>* file);
// At most 256 colours keep their exact values; more are mapped to the
// nearest colour of a 6 x 7 x 6 cube.
status_t EncodeGif(BBitmap* bitmap, std::vector<uint8>* file);

} // namespace BPrivate
