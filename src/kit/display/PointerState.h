// The live pointer, its buttons and the modifier keys as the last input
// event left them: what GetMouse() and modifiers() read while a drag loop
// polls. Every backend keeps one; any thread may read it while the event
// thread writes.
#pragma once

#include <mutex>

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"

namespace BPrivate {

class PointerState
{
public:
    void GetMouse(BPoint* screenWhere, uint32* buttons) const;
    uint32 Buttons() const;
    uint32 Modifiers() const;

    void MoveTo(BPoint screenWhere);
    void Set(BPoint screenWhere, uint32 buttons);
    // Presses or releases one button; the buttons held afterwards.
    uint32 Click(BPoint screenWhere, uint32 button, bool down);
    void SetModifiers(uint32 modifiers);

private:
    mutable std::mutex fLock;
    BPoint fWhere;
    uint32 fButtons = 0;
    uint32 fModifiers = 0;
};

} // namespace BPrivate
