// Merging an XML project file (see XmlExport.h) into the open project when
// one is dropped on a window. The reader does not parse XML: it reads the
// file line by line and looks for the tags it knows, so it also takes files
// that are not well-formed, such as the unescaped exports of older builds.
// The texts of records have their references read back (UnescapeMarkup),
// which leaves such old texts as they were. Records are only ever added;
// what exists stays as it is.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "kit/app/SupportDefs.h"

class BMessage;
class XmlFile;

// What a drop takes: everything (main window, calendar, worker bars), the
// workers (worker editor), the orders with their jobs (order editor).
inline constexpr int32 kSpliceAll = 0;
inline constexpr int32 kSpliceWorkers = 2;
inline constexpr int32 kSpliceOrders = 3;

// Records added by the current (or last) import.
extern std::atomic<int32> added_h;
extern std::atomic<int32> added_w;
extern std::atomic<int32> added_o;

// Imports the first "refs" file of a drop message and shows what was added.
void XML_Splice(BMessage* message, int32 mode);

// The text that tag (e.g. "<name>") encloses in text, as written (its
// references not read back), or "-" when text does not hold the tag. While the closing tag is
// missing, the following lines of the file are taken too, so the file moves on past the line that
// closes the element.
std::string FindTagInLine(XmlFile& file, const char* tag, std::string_view text);

// From the start of the file: 2 for every element of tag that is closed,
// 1 for one left open at the end of the file.
int32 ExistTag(XmlFile& file, const char* tag);

// Each reads the whole file and adds the records of its kind.
void ScanForHolidays(XmlFile& file);
void ScanForWorkers(XmlFile& file);
void ScanForJobs(XmlFile& file);
