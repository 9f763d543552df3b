// Requests to the window manager about a top-level window of ours.
#pragma once

namespace tarvelax {

// Puts the window in the top-most band (_NET_WM_STATE_ABOVE) or takes it
// out: a _NET_WM_STATE client message to the root window, as a window
// manager expects it from an application. False when no display is open.
bool SetTopMost(unsigned long window, bool topMost);

}  // namespace tarvelax
