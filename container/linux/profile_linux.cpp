// The settings file on Linux: no profile functions here, so our own engine
// reads and writes the file the way they do.
#include "profile.h"

#include <new>

#include "profile_file.h"

namespace tarvelax {

std::unique_ptr<Profile> OpenProfile(const std::string& path) {
  return std::unique_ptr<Profile>(new (std::nothrow) ProfileFile(path));
}

}  // namespace tarvelax
