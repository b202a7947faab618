// Whether a folder holds pictures the game can play with: the board
// pole.bmp, the balls 1.bmp to 6.bmp and the previews 1-d.bmp to 6-d.bmp.
#pragma once

#include <string>
#include <vector>

// One line per problem, each starting with the file's name; empty when the
// folder is usable.
std::vector<std::string> CheckPictureFolder(const std::string& folder);
