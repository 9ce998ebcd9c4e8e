// The XML project file: the whole project written once more as a readable
// exchange copy, "<project>.xml" in "defs", on every save.
//
// The document is put together piece by piece in the order of the format
// (header, sections, workers, orders, holidays, end). XML_Header opens a
// document for a path, the pieces append to it, and XML_End writes it whole
// beside the target and renames it over the old file; until then, and after
// any failure, the previous file stays as it was. Texts are escaped
// (EscapeMarkup: '&', '<', '>' and quotes as references), so any name
// leaves the document well-formed.
#pragma once

#include <string>
#include <string_view>

#include "kit/app/SupportDefs.h"

class Holiday;
class Order;
class ProzBalken;
class STHolidays;
class STOrder;
class STWorker;
class Worker;

// Writes the document of the open project; false when nothing was written.
bool XML_Save();

// Starts the document for path (header and "<data_list>").
bool XML_Header(const char* path);
// Appends text and a line end.
bool XML_Insert(const char* path, const char* text);
// Appends "</data_list>" and puts the document in place.
bool XML_End(const char* path);

// Appends bytes to the open document of path; without one, to the file
// itself (written whole). false when that cannot be done.
bool XmlAppend(const std::string& path, std::string_view bytes);

// One element each, appended to out.
void HolidayToXML(const Holiday& holiday, std::string& out);
// false (nothing appended) when the job's worker is not in the list.
bool JobToXML(ProzBalken& job, std::string& out);
// Sorts the off-days first.
void WorkerToXML(Worker& worker, std::string& out);
void OrderToXML(Order& order, std::string& out);

// One element appended to the document of path: 0, or 1 when it cannot
// be written.
int32 WorkerSaveAsXML(Worker& worker, const std::string& path);
int32 OrderSaveAsXML(Order& order, const std::string& path);

// Every record of the list appended to the document of path.
bool WorkersToXML(STWorker& workers, const std::string& path);
bool OrdersToXML(STOrder& orders, const std::string& path);
// Nothing (and " NO Holidays! ") for an empty list.
bool HolidaysToXML(STHolidays& holidays, const std::string& path);
