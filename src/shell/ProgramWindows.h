// The program's real windows for VTApp: the main window and the two editors
// at their stored places, and the name card. main() uses them, and so do the
// tests and benchmarks that run the whole program on the headless backend.
#pragma once

#include "kit/app/GraphicsDefs.h"

class BMessage;
class WindowRegistry;

void MakeProgramWindows(WindowRegistry& windows);
void ShowProgramNameCard(const BMessage& request, BPoint leftTop);
