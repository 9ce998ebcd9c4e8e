// The report settings card: the columns of the HTML report clicked in the
// order wanted, the two extras (open jobs, snapshot), a preview of the
// form, and buttons for the built-in forms. Every change is kept in the
// settings' report form at once.
//
// "Cancel" ('H_22') and "Open HTML" ('H_23') go to the card window, which
// closes the card (and asks for the report).
#pragma once

#include <array>
#include <string>

#include "kit/interface/Box.h"

class BButton;
class BCheckBox;
class BStringView;
class clView;

class HtmSetView : public BBox
{
public:
    static constexpr uint32 kOpenJobs = 'H_09';
    static constexpr uint32 kSnapshot = 'H_10';
    static constexpr uint32 kDefault = 'H_20';
    static constexpr uint32 kNew = 'H_21';
    static constexpr uint32 kCancel = 'H_22';
    static constexpr uint32 kOpenHtml = 'H_23';
    // The column digits with a label, in the order shown.
    static constexpr std::array<char, 7> kColumns = {'0', '1', '2', '5', '3', '4', '7'};

    explicit HtmSetView(BRect frame, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP);
    ~HtmSetView() override;

    void AttachedToWindow() override;
    void MessageReceived(BMessage* message) override;

    // The flags from the check boxes, then the marks and the preview.
    void SetPreview();
    // Marks the labels of the columns in the form and checks the boxes of
    // its flags; redraw is passed on to the labels.
    void SetButStat(bool redraw);
    void SetPreText();

    const std::string& Form() const { return fForm; }
    int32 Place() const { return fPlace; }
    clView* ColumnLabel(char column) const;
    BCheckBox* OpenJobsBox() const { return fOpenJobs; }
    BCheckBox* SnapshotBox() const { return fSnapshot; }
    BStringView* PreviewView() const { return fPreview; }

private:
    // The name a form character has on the card ('_' and '6' none).
    std::string _NameOf(char c) const;
    void _Reset(const char* form, int32 place);

    std::string fForm;
    int32 fPlace = 0;
    std::array<clView*, kColumns.size()> fLabels{};
    BCheckBox* fOpenJobs;
    BCheckBox* fSnapshot;
    BStringView* fPreview;
    std::array<BButton*, 4> fButtons{};
};
