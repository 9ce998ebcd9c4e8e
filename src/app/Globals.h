// Process-wide state that ties the application object, the windows and the
// three list objects together.
#pragma once

#include <atomic>
#include <string>

#include "app/SharedText.h"
#include "kit/app/SupportDefs.h"

// The running program's file; every data path is built from it.
extern std::string path2app;

// Base names of the open project's worker file and order file. Any thread
// may read them while another opens or closes a project.
extern SharedText DEFS_WKO_IO;
extern SharedText DEFS_ORD_IO;

// Set while the order list / worker list object exists ('Oyes'/'O_no',
// 'Wyes'/'W_no'); polled from other threads while a project closes.
extern std::atomic<int32> ord_exist;
extern std::atomic<int32> wko_exist;

// 1 after the user opened the label file for editing: the next editor that
// opens reloads the label table first.
extern std::atomic<int32> reload_htm;

// Names of the data folders beside the program.
inline constexpr const char* kDefsFolder = "defs";
inline constexpr const char* kTemplatesFolder = "templates";
inline constexpr const char* kIconsFolder = "icons";
