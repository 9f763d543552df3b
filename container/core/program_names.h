// Names the container derives from its own program file.
#pragma once

#include <string>

namespace tarvelax {

// The settings file of the program at programPath: the path up to, not
// including, its last "." (the whole path when there is none; folder names
// count too), with ".ini" appended. C:\Tools\TarvelAXContainer.exe gives
// C:\Tools\TarvelAXContainer.ini, C:\My.Tools\prog gives C:\My.ini.
std::string SettingsFileName(const std::string& programPath);

// The application title: the program file's name without its folder and
// without anything from its first ".", every letter after the first in
// lower case. TarvelAXContainer.exe gives "Tarvelaxcontainer".
std::string ApplicationTitle(const std::string& programPath);

}  // namespace tarvelax
