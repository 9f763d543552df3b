// cat_command.h - the morvik-cat command: options, printing, copies.
#ifndef MORVIK_CAT_CAT_COMMAND_H
#define MORVIK_CAT_CAT_COMMAND_H

#include <ostream>
#include <string>
#include <vector>

namespace morvik_cat {

// Exit statuses of the command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUnreadable = 1;  // no file, or not an export
inline constexpr int kExitUsage = 2;

// Runs morvik-cat with args (program name not included), printing records
// to out and notes and errors to err.
int RunCat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvik_cat

#endif
