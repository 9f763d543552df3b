// main.cpp - morvik-cat, a reader for exported Morvik logs.
#include <iostream>
#include <string>
#include <vector>

#include "morvik_cat/binary_stdout.h"
#include "morvik_cat/cat_command.h"

int main(int argc, char** argv) {
  morvik_cat::SetStdoutBinary();
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return morvik_cat::RunCat(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "morvik-cat: " << e.what() << "\n";
    return morvik_cat::kExitUnreadable;
  }
}
