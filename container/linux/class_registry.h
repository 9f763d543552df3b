// The classes of embeddable objects on Linux: one small key file per class
// (a ProgID and the command that starts an object of it), found by ProgID
// in a list of folders.
//
//   [Embeddable Object]
//   ProgID=XTerm.Terminal
//   Exec=xterm -into %w
//
// In Exec, %w stands for the X window id of the container's client area
// (decimal), %a for the application title, %c for the container's name and
// %% for "%". Words are split at blanks; double quotes group words.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvelax {

struct EmbeddableClass {
  std::string progId;  // as the class file spells it
  std::string exec;    // the command, placeholders not yet replaced
  std::string file;    // the class file it came from
};

// The folders searched, in order: $XDG_DATA_HOME/tarvelax/classes (default
// ~/.local/share), each folder of $XDG_DATA_DIRS (default
// /usr/local/share:/usr/share) with tarvelax/classes appended, then
// classes/ in programDir.
std::vector<std::string> ClassFolders(const std::string& programDir);

// The first class whose ProgID equals progId, letter case ignored: folders
// in order, the files of one folder in name order (those ending ".class").
std::optional<EmbeddableClass> FindClass(const std::vector<std::string>& folders,
                                         const std::string& progId);

struct HostNames {
  std::string windowId;     // %w
  std::string application;  // %a
  std::string container;    // %c
};

// The words of exec with the placeholders replaced; empty when exec holds
// no word or an unclosed quote.
std::vector<std::string> ExpandCommand(const std::string& exec, const HostNames& names);

}  // namespace tarvelax
