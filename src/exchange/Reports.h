// The order list printed two ways: a plain-text list of every order with
// its jobs, and an HTML page of the active orders whose columns the user
// chooses with the report form (htm_form). Both are written whole into
// "defs" (or the fallback folder when "defs" cannot be written) and handed
// to the desktop at once.
#pragma once

#include <string>

#include "kit/app/SupportDefs.h"

class Order;
class ProzBalken;
class STOrder;

// path null or empty: "defs/PrintList.txt". 1, or 0 (after an alert) when
// no file could be written.
int32 WriteOrderList(STOrder& orders, const char* path);

// "userdefout.html"; false when the form is too short or no file could be
// written.
bool WriteOrderReport(STOrder& orders, const std::string& form);

// The cells of the HTML table for the form character column + '0', their
// texts escaped (EscapeMarkup).
std::string ReportHeadingCell(int32 column);
std::string ReportCell(Order& order, int32 column);

// One job line of the text list; false (nothing appended) when its worker
// is not in the list.
bool JobToText(ProzBalken& job, std::string& out);
