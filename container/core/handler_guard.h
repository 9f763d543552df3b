// How an error that escapes an event handler reaches the user: the
// standard exception box, and the program goes on.
#pragma once

#include <exception>

#include "main_view.h"

namespace tarvelax {

// Shows the error in flight (call it inside a catch block) in view's
// standard exception box: a ContainerError or other standard exception
// with its message and the "." rule, anything else with an empty message.
void ShowEscapedError(MainView& view) noexcept;

// Runs handler; an error escaping it is shown by ShowEscapedError.
template <typename Handler>
void RunHandler(MainView& view, Handler&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    ShowEscapedError(view);
  }
}

}  // namespace tarvelax
