#include "container_error.h"

namespace tarvelax {

std::string ExceptionBoxText(const std::string& message) {
  // Compared as unsigned bytes: every byte of a non-ASCII character sorts
  // above ".", as every such character of the 8-bit code pages does.
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
    return message + ".";
  }
  return message;
}

}  // namespace tarvelax
