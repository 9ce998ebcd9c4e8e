// The name card's view: a caption, the name field and "Cancel"/"OK". The
// request that opened the card ('NNA_' new project, 'SAS_' save as, 'WNA_'
// worker template, 'ONA_' order template) chooses the caption and the name
// the field starts with. Enter in the field is OK.
#pragma once

#include <string>

#include "kit/interface/Box.h"

class BTextControl;

class NameInView : public BBox
{
public:
    NameInView(BRect frame, uint32 request);

    void AllAttached() override;

    const char* Text() const;
    BTextControl* Field() const { return fField; }

    // What the field starts with for that request, today.
    static std::string PresetName(uint32 request);

private:
    BTextControl* fField;
};
