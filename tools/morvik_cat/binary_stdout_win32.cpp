// binary_stdout_win32.cpp - standard output in binary mode.
#include "morvik_cat/binary_stdout.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace morvik_cat {

void SetStdoutBinary() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace morvik_cat
