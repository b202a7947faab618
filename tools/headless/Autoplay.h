// The soak test: whole games played by the built-in player, with the board
// and the sprites checked against each other after every click.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "tools/headless/HeadlessGame.h"

struct AutoplaySettings {
    int games = 1;
    std::int64_t firstSeed = 0;  // game g starts from firstSeed + g, wrapping around
    CHeadlessGame::Composition composition = CHeadlessGame::Composition::compose;
};

struct AutoplayResult {
    int games = 0;
    std::int64_t turns = 0;
    std::int64_t totalScore = 0;
    int bestScore = 0;
    double seconds = 0;
    std::string failure;  // empty when every check passed
};

AutoplayResult Autoplay(const AutoplaySettings& settings);

// games, turns, mean and best score, turns per second; or the failure.
void PrintAutoplayResult(const AutoplayResult& result, std::ostream& output);
