// Bevelled frames drawn along a view's bounds; the job bars of the data
// layer draw them as well as the windows.
#pragma once

#include "kit/app/GraphicsDefs.h"
#include "kit/app/SupportDefs.h"
#include "kit/interface/InterfaceDefs.h"

class BView;

// Frames along the view's bounds: light on top/left, dark on bottom/right.
// A null colour is derived from the view colour. Nothing happens for a view
// without a parent; the view's high colour and drawing mode are restored.
void Dotter(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderLB(BView* view, const rgb_color* light, const rgb_color* dark, int32 flag);
void BorderMe(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderMX(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
void BorderAsBut(BView* view, const rgb_color* light, const rgb_color* dark, drawing_mode mode);
