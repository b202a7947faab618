#include "tools/headless/Autoplay.h"

#include <chrono>
#include <memory>
#include <ostream>

#include "tools/headless/GreedyPlayer.h"
#include "platform/core/Crt.h"

namespace {

// A game that the player could go on with for ever is cut off here.
constexpr std::int64_t kMaxTurnsPerGame = 100000;
// Every so many turns the player takes its turn back and plays on, so that
// remake move and the repeated batch are soaked too.
constexpr std::int64_t kRemakeEvery = 7;

CPoint CellCentre(int cell) {
    constexpr int size = CBoardGame::kCellSize;
    return CPoint(cell % CBoardGame::kColumns * size + size / 2,
                  cell / CBoardGame::kColumns * size + size / 2 + CBoardGame::kBoardTop);
}

std::string Where(int game, std::int64_t turn) {
    return "game " + std::to_string(game + 1) + ", turn " + std::to_string(turn + 1);
}

// Plays one move; the reason it went wrong, or empty.
std::string PlayMove(CHeadlessGame& game, const CGreedyPlayer::Move& move) {
    game.OnLButtonDown(0, CellCentre(move.from));
    if (!game.SpritesMatchBoard()) return "board and sprites disagree after selecting";
    if (!game.IsSelected() || game.From() != move.from) return "the ball could not be selected";
    const std::int64_t pausesBefore = game.Pauses();
    game.OnLButtonDown(0, CellCentre(move.to));
    if (!game.SpritesMatchBoard()) return "board and sprites disagree after moving";
    if (game.Pauses() == pausesBefore) return "a reachable target was refused";
    return {};
}

// Plays the current game to its end; the reason it went wrong, or empty.
std::string PlayGame(CHeadlessGame& game, int gameIndex, AutoplayResult& result) {
    for (std::int64_t turn = 0; turn < kMaxTurnsPerGame && !game.IsGameOver(); ++turn) {
        const auto move = CGreedyPlayer::ChooseMove(game);
        if (!move && turn == 0) return Where(gameIndex, turn) + ": no ball to move (pictures missing from res1/?)";
        if (!move) break;  // every ball vanished: nothing left to move
        const std::string failure = PlayMove(game, *move);
        if (!failure.empty()) return Where(gameIndex, turn) + ": " + failure;
        ++result.turns;
        if (turn % kRemakeEvery == kRemakeEvery - 1) {
            game.OnRemakeMove();
            if (!game.SpritesMatchBoard()) return Where(gameIndex, turn) + ": board and sprites disagree after remake";
        }
    }
    return {};
}

// Game g's clock reading: the first seed plus g, wrapping at the ends of
// the 64-bit range (the game keeps only the low 32 bits anyway).
std::int64_t SeedOfGame(std::int64_t firstSeed, int gameIndex) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(firstSeed) + static_cast<std::uint64_t>(gameIndex));
}

void StartNewGame(CHeadlessGame& game, std::int64_t seed) {
    const crt::ScopedClock clock(seed);
    game.OnNewGame();
}

}  // namespace

AutoplayResult Autoplay(const AutoplaySettings& settings) {
    AutoplayResult result;
    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<CHeadlessGame> game;
    {
        const crt::ScopedClock clock(settings.firstSeed);
        game = std::make_unique<CHeadlessGame>(settings.composition);
    }
    // Bot scores have no place in a player's records.
    game->SetRecordsFile({});
    game->StartGame();
    game->DrawAll();
    for (int index = 0; index < settings.games; ++index) {
        if (index > 0) StartNewGame(*game, SeedOfGame(settings.firstSeed, index));
        if (!game->SpritesMatchBoard()) {
            result.failure = Where(index, 0) + ": board and sprites disagree at the start";
            break;
        }
        result.failure = PlayGame(*game, index, result);
        if (!result.failure.empty()) break;
        ++result.games;
        result.totalScore += game->Score();
        if (game->Score() > result.bestScore) result.bestScore = game->Score();
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

void PrintAutoplayResult(const AutoplayResult& result, std::ostream& output) {
    const double mean = result.games > 0 ? static_cast<double>(result.totalScore) / result.games : 0.0;
    const double rate = result.seconds > 0 ? static_cast<double>(result.turns) / result.seconds : 0.0;
    output << "games " << result.games << '\n'
           << "turns " << result.turns << '\n'
           << "mean score " << mean << '\n'
           << "best score " << result.bestScore << '\n'
           << "turns per second " << rate << '\n';
    if (!result.failure.empty()) output << "failure " << result.failure << '\n';
}
