// Colour and font over a view's children, so they read over a background
// picture.
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/InterfaceDefs.h"

class BView;
class BFont;

// Makes the views below `view` readable over a background picture: by kind,
// a transparent or light view colour, `font` in bold, list flags. A set
// `flag` gives boxes the light colour instead of none.
void Childs2Transparent(BView* view, rgb_color color, const BFont* font, int32 flag);
