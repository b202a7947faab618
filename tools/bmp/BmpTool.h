// The commands of velmor-bmp, apart from the process so that tests can run
// them in place:
//   info FILE        header fields, colour count and whether the game reads it
//   check DIR        whether DIR is a picture folder the game can use
//   topnm FILE       the picture as a binary PPM on `out`
//   resave IN OUT    read IN and write it again as the game's own BMP form
//   --version        the program's name and version
// Exit statuses: 0 success, 1 a refused or unusable picture or a failed file
// operation (one line on `err`), 2 a usage error.
#pragma once

#include <ostream>
#include <span>
#include <string>

int RunBmpTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
