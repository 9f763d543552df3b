#include "window_manager_x11.h"

#include <X11/Xlib.h>

namespace tarvelax {
namespace {

Display* SharedDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

}  // namespace

bool SetTopMost(unsigned long window, bool topMost) {
  Display* display = SharedDisplay();
  if (!display) return false;
  constexpr long kRemove = 0, kAdd = 1, kSourceApplication = 1;
  XClientMessageEvent message{};
  message.type = ClientMessage;
  message.window = window;
  message.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  message.format = 32;
  message.data.l[0] = topMost ? kAdd : kRemove;
  message.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_ABOVE", False));
  message.data.l[2] = 0;
  message.data.l[3] = kSourceApplication;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             reinterpret_cast<XEvent*>(&message));
  XFlush(display);
  return true;
}

}  // namespace tarvelax
