// Writing a data file whole or not at all: the holiday, worker and order
// lists build their text in memory and hand it here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Written in pieces of this size (each a step that can fail).
inline constexpr size_t kSafeSavePiece = 64 * 1024;

// Writes bytes to a new file beside path, fsyncs it, renames it over path
// (keeping the old file's permissions) and syncs the folder. false when any
// step failed: path then keeps its old contents and no temporary file stays.
bool SaveWholeFile(const std::string& path, std::string_view bytes);
