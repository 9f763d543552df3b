// binary_stdout.h - makes standard output pass bytes through unchanged.
#ifndef MORVIK_CAT_BINARY_STDOUT_H
#define MORVIK_CAT_BINARY_STDOUT_H

namespace morvik_cat {

// Where the platform turns "\n" into "\r\n" on output, stops it, so that the
// raw text keeps its own line ends.
void SetStdoutBinary();

}  // namespace morvik_cat

#endif
