// The program's icon, drawn at any size from the same artwork as the game.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

// A size x size picture, top row first, as 0xAARRGGBB words with straight
// alpha: a rounded tile of board cells holding glossy balls (one ball in one
// cell below 32 pixels, where four would be too small to read).  Empty when
// size is not in 1..1024.
std::vector<std::uint32_t> DrawIcon(int size);

}  // namespace art
