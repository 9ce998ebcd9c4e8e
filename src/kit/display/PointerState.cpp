#include "kit/display/PointerState.h"

namespace BPrivate {

void PointerState::GetMouse(BPoint* screenWhere, uint32* buttons) const
{
    std::lock_guard lock(fLock);
    if (screenWhere != nullptr)
        *screenWhere = fWhere;
    if (buttons != nullptr)
        *buttons = fButtons;
}

uint32 PointerState::Buttons() const
{
    std::lock_guard lock(fLock);
    return fButtons;
}

uint32 PointerState::Modifiers() const
{
    std::lock_guard lock(fLock);
    return fModifiers;
}

void PointerState::MoveTo(BPoint screenWhere)
{
    std::lock_guard lock(fLock);
    fWhere = screenWhere;
}

void PointerState::Set(BPoint screenWhere, uint32 buttons)
{
    std::lock_guard lock(fLock);
    fWhere = screenWhere;
    fButtons = buttons;
}

uint32 PointerState::Click(BPoint screenWhere, uint32 button, bool down)
{
    std::lock_guard lock(fLock);
    fWhere = screenWhere;
    fButtons = down ? fButtons | button : fButtons & ~button;
    return fButtons;
}

void PointerState::SetModifiers(uint32 modifiers)
{
    std::lock_guard lock(fLock);
    fModifiers = modifiers;
}

} // namespace BPrivate
