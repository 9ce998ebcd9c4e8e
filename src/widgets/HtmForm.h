// The report form as the report settings card edits it: the columns in the
// order clicked, then two places for the flags, 'o' (open jobs under each
// order) or '_', and 'i' (the snapshot below the tables) or '_'. The whole
// form stays within the settings file's kHtmFormMax bytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "kit/app/SupportDefs.h"

inline constexpr const char* kHtmFormDefault = "02134_____";
inline constexpr int32 kHtmFormDefaultPlace = 5;
inline constexpr const char* kHtmFormNew = "__________";
inline constexpr size_t kHtmFlagPlaces = 2;

// The form in the card's shape: a form that does not end in the two flag
// places (the built-in "012734", a hand-made one, an empty one) keeps its
// columns and gets them, the flags found anywhere in it moved there; at
// most kHtmFormMax bytes, the columns cut first after their free places.
std::string HtmCardForm(std::string_view form);

// A column clicked while the next column goes to place: a column not in
// the form yet is written there and the place moves on (the columns grow
// into the room the limit leaves); one already in it frees the place. The
// place never leaves the columns. false when nothing could be written
// (every place taken).
bool HtmClickColumn(std::string& form, int32& place, char column);

// Writes the two flag places from the check boxes.
void HtmSetFlags(std::string& form, bool openJobs, bool snapshot);

// "|" and, for each character with a name, its first six characters and "|".
std::string HtmPreview(std::string_view form, const std::function<std::string(char)>& nameOf);
