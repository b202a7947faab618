// Whether a folder holds pictures the game can play with: the board
// pole.bmp, the balls 1.bmp to 6.bmp and the previews 1-d.bmp to 6-d.bmp,
// and beside any of them its twin at twice the size (pole@2x.bmp and so on),
// which must match it: twice its width and height, so the same frames, its
// depth, its colour table and, for a ball, its transparent index.
#pragma once

#include <string>
#include <vector>

// One line per problem, each starting with the file's name; empty when the
// folder is usable.
std::vector<std::string> CheckPictureFolder(const std::string& folder);
