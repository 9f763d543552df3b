#include "handler_guard.h"

#include <new>
#include <stdexcept>

#include "container_error.h"

namespace tarvelax {

void ShowEscapedError(MainView& view) noexcept {
  try {
    try {
      throw;
    } catch (const std::bad_alloc&) {
      view.ShowException(ExceptionBoxText("Out of memory"));
    } catch (const std::exception& e) {
      view.ShowException(ExceptionBoxText(e.what()));
    } catch (...) {
      view.ShowException("");
    }
  } catch (...) {
    // The box itself failed (no memory left for its text): nothing more
    // can be shown, and the program goes on.
  }
}

}  // namespace tarvelax
