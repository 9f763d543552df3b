// binary_stdout_posix.cpp - standard output never translates line ends here.
#include "morvik_cat/binary_stdout.h"

namespace morvik_cat {

void SetStdoutBinary() {}

}  // namespace morvik_cat
