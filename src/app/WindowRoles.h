// The windows the application object forwards commands to, known by their
// role. The numbers are the targets of VTApp::SendToClass (5 is another
// name for the main window).
#pragma once

#include "kit/app/SupportDefs.h"

enum class WindowRole : int32
{
    kWorkerEditor = 1,
    kOrderEditor = 2,
    kMainWindow = 3,
};

// What the application asks of its windows besides forwarding commands.
// They are posted, never done by locking the window: the application thread
// never waits for a window's lock. A window handles them in its
// MessageReceived; the windows below the shell need these values too.
enum : uint32
{
    // "title" (string): the main window's new title.
    kWindowSetTitle = 'VTti',
    // "active" (bool): come to the front, or step back.
    kWindowActivate = 'VTac',
    // The main window refills its "Open" menu from "defs" after a save.
    kWindowScanProjects = 'VTsp',
};

// How a window tells the application that it has closed ('VTWC', 'VTOC'
// for the editors; the main window closes with 'X_OW' and 'VTCC'), and how
// one that was asked to quit and stays open says so: B_CANCEL with "target"
// (int32, the role's number). The application finishes what it was closing
// the window for only after the first, and drops it after the second.

// The main window asks before it closes ('X_OW', 'VTCC') and closes on a
// B_QUIT_REQUESTED that carries this bool, true.
inline constexpr const char* kQuitApproved = "approved";
