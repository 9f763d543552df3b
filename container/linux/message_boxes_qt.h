// The two standard boxes of the container, captioned with the application
// title: the simple message (no icon) and the exception box (stop icon).
// Both are modal, centred on the screen, with one "OK".
#pragma once

#include <string>

class QWidget;

namespace tarvelax {

void ShowSimpleMessage(QWidget* owner, const std::string& title, const std::string& text);
void ShowExceptionBox(QWidget* owner, const std::string& title, const std::string& text);

}  // namespace tarvelax
