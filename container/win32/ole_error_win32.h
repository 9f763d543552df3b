// The platform's text for a failed OLE call.
#pragma once

#include <windows.h>

#include <string>

namespace tarvelax {

// The system's message for result (UTF-8), without the line break and the
// full stop it ends with, so the exception box's "." rule adds the stop
// once: CO_E_CLASSSTRING gives "Invalid class string". A result the system
// has no text for gives "OLE error 0x800401F3" and the like.
std::string OleErrorText(HRESULT result);

}  // namespace tarvelax
