// The platform's text for a failed OLE call.
#pragma once

#include <windows.h>

#include <string>

namespace tarvelax {

// The system's message for result (UTF-8), without the line break and the
// full stop it ends with, so the exception box's "." rule adds the stop
// once: CO_E_CLASSSTRING gives "Invalid class string". Where the system's
// message table lacks the common OLE results (as Wine's does), the same
// texts come from a small table of our own; any other result without a text
// gives "OLE error 0x80040000" and the like.
std::string OleErrorText(HRESULT result);

}  // namespace tarvelax
