// The table of every text the user sees: seventeen label arrays with
// English built-in texts, overridden section by section from the label file
// "language.html". Building it also makes the data folders and loads the
// calendar's background picture.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "app/LabelArray.h"
#include "kit/app/SupportDefs.h"

class BBitmap;

extern LabelArray butlab; // icon button captions
extern LabelArray w_labs; // worker editor
extern LabelArray pb_lab; // job pop-up menu
extern LabelArray o_stat; // order status names
extern LabelArray o_typ;  // order type names
extern LabelArray o_labs; // order editor; entry 5 is a strftime format
extern LabelArray c_mons; // month names
extern LabelArray c_over; // zoom presets
extern LabelArray wdaysn; // weekday names, Monday first
extern LabelArray calmnu; // menus
extern LabelArray calbut; // display-mode buttons
extern LabelArray pretxt; // preferences card
extern LabelArray htmtxt; // report settings card
extern LabelArray templn; // name-entry card, save buttons
extern LabelArray tmomnu; // optimisation menu
extern LabelArray usrmnu; // user administration
extern LabelArray colvec; // colour slot names

class STLabel
{
public:
    static constexpr int32 kSectionCount = 17;

    // The one instance, built on first call.
    static STLabel* getSTLabel();
    // The instance if it exists; never builds it.
    static STLabel* Existing();
    // Destroys the instance: every array has its built-in texts again and
    // the next getSTLabel() builds afresh.
    static void DeleteMe();

    virtual ~STLabel();

    // Reads every section again from the label file found at construction.
    virtual void Reload();
    // Prints every entry as "[text]", then a line end.
    virtual void listLabel(const LabelArray& array);

    // A copy of the entry, or "-nf-" outside the array. Readers keep no
    // text across a reload.
    static std::string getLabel(const LabelArray& array, int32 index);

    // Reads the section tagged tag into array from entry 0 on and its
    // heading into heading ("-missing-" without one); returns how many
    // entries it replaced.
    static int32 GetNamesFromTable(const std::string& path, const char* tag, LabelArray& array,
                                   std::string& heading);
    // Mode 1: the first cell's text of a table-row line; nothing when the
    // line has no cell.
    static std::optional<std::string> FindLabel(const std::string& line, int32 mode);
    // A picture file as a bitmap; null when it cannot be read or decoded.
    static std::unique_ptr<BBitmap> GetImage(const char* path);

    std::string StatusHeading() const;
    std::string TypeHeading() const;
    // Entries of array that the last read replaced; -1 for an array that is
    // no section of the table.
    int32 SectionCount(const LabelArray& array) const;

    const std::string& LabelFilePath() const { return fLabelFile; }
    bool LabelFilePresent() const { return fLabelFilePresent; }
    // Null unless the option asked for it and it could be decoded.
    BBitmap* BackgroundImage() const { return fImage.get(); }
    bool BackgroundImageLoaded() const { return fImageLoaded; }

private:
    STLabel();

    static void _MakeFolder(const char* name);

    static std::atomic<STLabel*> labelZgr;
    static std::mutex sCreateLock;

    std::unique_ptr<BBitmap> fImage;
    std::string fLabelFile;
    bool fLabelFilePresent;
    std::array<std::atomic<int32>, kSectionCount> fCounts;
    mutable std::mutex fHeadingLock;
    std::string fStatusHeading;
    std::string fTypeHeading;
    bool fImageLoaded;
};
