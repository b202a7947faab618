// velmor-bmp: inspect, check and convert the game's pictures.
#include <iostream>
#include <string>
#include <vector>

#include "tools/bmp/BmpTool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunBmpTool(arguments, std::cout, std::cerr);
}
