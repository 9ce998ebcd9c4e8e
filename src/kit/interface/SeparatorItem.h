// A line between groups of menu items; it cannot be chosen.
#pragma once

#include "kit/interface/MenuItem.h"

class BSeparatorItem : public BMenuItem
{
public:
    BSeparatorItem();
    ~BSeparatorItem() override;

    void SetEnabled(bool enabled) override;

protected:
    void GetContentSize(float* width, float* height) override;
    void Draw() override;
};
