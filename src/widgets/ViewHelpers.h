// Helpers for the views of the windows: colour and font over a view's
// children, and the bevelled frames drawn along a view's bounds.
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

// Frames along the view's bounds: light on top/left, dark on bottom/right.
// A null colour is derived from the view colour. Nothing happens for a view
// without a parent; the view's high colour and drawing mode are restored.
void Dotter(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderLB(BView* view, const rgb_color* light, const rgb_color* dark, int32 flag);
void BorderMe(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderMX(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderAsBut(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
