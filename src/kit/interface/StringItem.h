// A list row showing one line of text.
#pragma once

#include <string>

#include "kit/interface/ListItem.h"

class BStringItem : public BListItem
{
public:
    explicit BStringItem(const char* text, uint32 outlineLevel = 0, bool expanded = true);
    ~BStringItem() override;

    void DrawItem(BView* owner, BRect frame, bool complete = false) override;
    void Update(BView* owner, const BFont* font) override;

    virtual void SetText(const char* text);
    const char* Text() const { return fText.c_str(); }

private:
    std::string fText;
    float fBaselineOffset = 0;
};
