// The error that ends a handler of the container: a settings file that
// cannot be written, an object that cannot be created. Its message is the
// text of the standard exception box (before the "." rule).
#pragma once

#include <stdexcept>
#include <string>

namespace tarvelax {

class ContainerError : public std::runtime_error {
public:
  explicit ContainerError(const std::string& message) : std::runtime_error(message) {}
};

// The text the standard exception box shows for message: "." appended when
// the message is not empty and its last character sorts above "."; an empty
// message stays empty.
std::string ExceptionBoxText(const std::string& message);

}  // namespace tarvelax
