// Small helpers shared by the editors and list windows: a non-blocking
// notice, a flash to draw the eye, tool tips, colour/font setting over a
// view's children, the program's cursors and the bevelled frames drawn
// along a view's bounds.
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/InterfaceDefs.h"

class BView;
class BFont;

// Shows a warning with one button and returns at once; callers may hold
// list locks, so it must never wait for the button.
void AnyAlert(const char* text);

// Inverts the view's bounds and back `count` times; safe from any thread.
void FlashView(BView* view, int32 count);

// Tool tips are not shown; a missing view is reported.
void AddToolTip(BView* view, const char* text);

// Makes the views below `view` readable over a background picture: by kind,
// a transparent or light view colour, `font` in bold, list flags. A set
// `flag` gives boxes the light colour instead of none.
void Childs2Transparent(BView* view, rgb_color color, const BFont* font, int32 flag);

// 1 I-beam, 2 and 3 the program's own cursors, anything else the
// system's default.
void SetCursorTo(int32 number);

// Frames along the view's bounds: light on top/left, dark on bottom/right.
// A null colour is derived from the view colour. Nothing happens for a view
// without a parent; the view's high colour and drawing mode are restored.
void Dotter(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderLB(BView* view, const rgb_color* light, const rgb_color* dark, int32 flag);
void BorderMe(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderMX(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderAsBut(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
