// The engine's costs: the path search at its worst, line removal on a full
// board, and whole turns with and without composing the board picture.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/BoardGame.h"
#include "tools/headless/GreedyPlayer.h"
#include "gfx/DIB.h"
#include "platform/core/Crt.h"

namespace {

// The game's pictures, written once into a scratch folder that becomes the
// current folder.
class CPictureFolder {
public:
    CPictureFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmor-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        m_path = pattern;
        std::filesystem::current_path(m_path);
        std::filesystem::create_directory("res1");
        Write("res1/pole.bmp", 360, 360, 0);
        for (int colour = 1; colour <= 6; ++colour) {
            Write("res1/" + std::to_string(colour) + ".bmp", 80, 40, colour);
            Write("res1/" + std::to_string(colour) + "-d.bmp", 30, 30, colour);
        }
    }
    ~CPictureFolder() {
        std::error_code error;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
    }

private:
    // A disc in each 40 x 40 frame on a transparent ground; plain ground for
    // the board.
    static void Write(const std::string& name, int width, int height, int colour) {
        CDIB picture;
        picture.Create(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int dx = x % 40 - 20;
                const int dy = y % 40 - 20;
                const bool disc = colour == 0 || dx * dx + dy * dy <= 225;
                *picture.GetPixelAddress(x, y) = static_cast<BYTE>(disc ? 100 + colour : 0);
            }
        }
        picture.Save(name.c_str());
    }
    std::filesystem::path m_path;
};

CPictureFolder& Pictures() {
    static CPictureFolder folder;
    return folder;
}

class CBenchGame : public CBoardGame {
public:
    explicit CBenchGame(bool compose) : m_bCompose(compose) { SetRecordsFile({}); }
    void DrawAll() override {
        if (m_bCompose) ComposeBoardPicture();
        else RenderSprites();  // still splits new ball pictures, as clicks need
    }
    void Pause(int) override {}
    std::string AskRecordName() override { return {}; }
    void ShowRecords() override {}

    // Writes cells directly, without sprites: for the searches only.
    void SetCells(const char* layout) {
        for (int cell = 0; cell < kCells; ++cell) m_nBoard[cell] = layout[cell] == '.' ? 0 : layout[cell] - '0';
    }
    void Click(int cell) {
        OnLButtonDown(0, CPoint(cell % kColumns * kCellSize + kCellSize / 2,
                                cell / kColumns * kCellSize + kCellSize / 2 + kBoardTop));
    }

private:
    bool m_bCompose;
};

// The only way from the corner winds through every row: 41 steps to (1, 8).
constexpr const char* kSerpentine =
    "1........"
    "23232323."
    "........."
    ".23232323"
    "........."
    "23232323."
    "........."
    ".23232323"
    ".........";

void BM_FindPathWorstCase(benchmark::State& state) {
    CBenchGame game(false);
    game.SetCells(kSerpentine);
    const int target = state.range(0) == 0 ? CBoardGame::CellOf(1, 8) : CBoardGame::CellOf(2, 8);
    for (auto _ : state) benchmark::DoNotOptimize(game.FindPath(0, target));
    state.SetLabel(state.range(0) == 0 ? "41 steps, found" : "42 steps, refused after every sweep");
}
BENCHMARK(BM_FindPathWorstCase)->Arg(0)->Arg(1);

// A full board without any line: every start cell and direction is looked at.
constexpr const char* kFullWithoutLine =
    "123451234345123451512345123234512345451234512123451234345123451512345123234512345";

void BM_RemoveLineFullBoard(benchmark::State& state) {
    CBenchGame game(false);
    game.SetCells(kFullWithoutLine);
    for (auto _ : state) benchmark::DoNotOptimize(game.RemoveLine(true));
}
BENCHMARK(BM_RemoveLineFullBoard);

// What every new ball costs before the rules see it: its picture read from disk.
void BM_LoadBallPicture(benchmark::State& state) {
    Pictures();
    for (auto _ : state) {
        CPhasedSprite sprite;
        benchmark::DoNotOptimize(sprite.Load("res1/1.bmp"));
    }
}
BENCHMARK(BM_LoadBallPicture)->Unit(benchmark::kMicrosecond);

// Starts a new game from a fixed clock reading, so that it is always the same game.
void StartKnownGame(CBenchGame& game) {
    const crt::ScopedClock clock(12345);
    game.OnNewGame();
}

// The moves of one whole game by the built-in player, from StartKnownGame.
std::vector<CGreedyPlayer::Move> KnownGameMoves() {
    CBenchGame game(false);
    StartKnownGame(game);
    std::vector<CGreedyPlayer::Move> moves;
    while (!game.IsGameOver()) {
        const auto move = CGreedyPlayer::ChooseMove(game);
        if (!move) break;
        moves.push_back(*move);
        game.Click(move->from);
        game.Click(move->to);
    }
    return moves;
}

// One whole turn (select, walk, line or batch, preview, redraws), replaying
// a recorded game so that choosing the moves is not timed.  Starting the
// game again after its last turn is timed, and shared among all its turns.
void RunTurns(benchmark::State& state, bool compose) {
    Pictures();
    const std::vector<CGreedyPlayer::Move> moves = KnownGameMoves();
    CBenchGame game(compose);
    StartKnownGame(game);
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == moves.size()) {
            StartKnownGame(game);
            next = 0;
        }
        game.Click(moves[next].from);
        game.Click(moves[next].to);
        ++next;
    }
    state.counters["turns_per_game"] = static_cast<double>(moves.size());
}

void BM_TurnNoOpView(benchmark::State& state) { RunTurns(state, false); }
BENCHMARK(BM_TurnNoOpView)->Unit(benchmark::kMicrosecond);

void BM_TurnComposed(benchmark::State& state) { RunTurns(state, true); }
BENCHMARK(BM_TurnComposed)->Unit(benchmark::kMicrosecond);

// Whole games by the built-in player, its choices included: turns per second.
void RunAutoplay(benchmark::State& state, bool compose) {
    Pictures();
    CBenchGame game(compose);
    game.StartGame();
    game.DrawAll();
    std::int64_t turns = 0;
    for (auto _ : state) {
        const auto move = CGreedyPlayer::ChooseMove(game);
        if (game.IsGameOver() || !move) {
            game.OnNewGame();
            continue;
        }
        game.Click(move->from);
        game.Click(move->to);
        ++turns;
    }
    state.counters["turns_per_second"] = benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kIsRate);
}

void BM_AutoplayComposed(benchmark::State& state) { RunAutoplay(state, true); }
BENCHMARK(BM_AutoplayComposed)->Unit(benchmark::kMicrosecond);

void BM_AutoplayNotComposed(benchmark::State& state) { RunAutoplay(state, false); }
BENCHMARK(BM_AutoplayNotComposed)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
