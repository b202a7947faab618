// Picture benchmarks.  Loading the board picture is measured three ways in
// the same program, so that the ratios compare like with like: CDIB, the
// stb_image decoder, and the floor of reading the file's bytes and copying
// them once.  Then the two copies a redraw is made of: 81 ball sprites
// rendered into the board, and a single transparent 40x40 copy.
//
// The pictures are the build's artwork (run/res1 beside bin/) when it has
// been generated, otherwise pictures of the same sizes made here.
#include <benchmark/benchmark.h>

#include <stb/stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "gfx/DIB.h"
#include "gfx/PhasedSprite.h"
#include "tests/support/MemFile.h"

namespace {

constexpr int kBoardSide = 360;
constexpr int kCellSide = 40;
constexpr int kCells = 9;

std::filesystem::path ArtworkFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path().parent_path() / "run" / "res1";
}

// Pictures made here when the artwork is missing: a board with a grid, a ball
// of two frames on a transparent index 0.
void MakeBoard(const std::string& path) {
    CDIB board;
    board.Create(kBoardSide, kBoardSide);
    for (int y = 0; y < kBoardSide; ++y) {
        for (int x = 0; x < kBoardSide; ++x) {
            const bool edge = x % kCellSide == 0 || y % kCellSide == 0;
            *board.GetPixelAddress(x, y) = static_cast<BYTE>(edge ? 200 : 100 + (x ^ y) % 16);
        }
    }
    board.Save(path.c_str());
}

void MakeBall(CDIB& ball, BYTE colour) {
    ball.Create(2 * kCellSide, kCellSide);
    for (int y = 0; y < kCellSide; ++y) {
        for (int x = 0; x < 2 * kCellSide; ++x) {
            const int dx = x % kCellSide - kCellSide / 2;
            const int dy = y - kCellSide / 2;
            *ball.GetPixelAddress(x, y) = dx * dx + dy * dy < 17 * 17 ? static_cast<BYTE>(colour + (dx & 3)) : 0;
        }
    }
}

struct Pictures {
    std::string boardPath;
    std::vector<BYTE> boardBytes;
    std::filesystem::path ballFolder;  // empty: make the balls
};

const Pictures& TestPictures() {
    static const Pictures pictures = [] {
        Pictures made;
        const auto artwork = ArtworkFolder();
        if (std::filesystem::exists(artwork / "pole.bmp") && std::filesystem::exists(artwork / "6.bmp")) {
            made.boardPath = (artwork / "pole.bmp").string();
            made.ballFolder = artwork;
        } else {
            made.boardPath = (std::filesystem::temp_directory_path() / "velmor-bench-pole.bmp").string();
            MakeBoard(made.boardPath);
        }
        std::FILE* file = std::fopen(made.boardPath.c_str(), "rb");
        if (file != nullptr) {
            made.boardBytes.resize(static_cast<std::size_t>(std::filesystem::file_size(made.boardPath)));
            made.boardBytes.resize(std::fread(made.boardBytes.data(), 1, made.boardBytes.size(), file));
            std::fclose(file);
        }
        return made;
    }();
    return pictures;
}

void LoadBoardWithCDIB(benchmark::State& state) {
    const std::string& path = TestPictures().boardPath;
    for (auto _ : state) {
        CDIB board;
        if (!board.Load(path.c_str())) state.SkipWithError("the board picture did not load");
        benchmark::DoNotOptimize(board.GetBits());
    }
}
BENCHMARK(LoadBoardWithCDIB);

void LoadBoardWithStbImage(benchmark::State& state) {
    const std::string& path = TestPictures().boardPath;
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
        if (pixels == nullptr) state.SkipWithError("stb_image did not load the board picture");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}
BENCHMARK(LoadBoardWithStbImage);

// The least any loader does: open, read every byte, copy them once.
void ReadAndCopyBoardFile(benchmark::State& state) {
    const std::string& path = TestPictures().boardPath;
    const std::size_t size = TestPictures().boardBytes.size();
    for (auto _ : state) {
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        auto* bytes = static_cast<BYTE*>(std::malloc(size));
        auto* copy = static_cast<BYTE*>(std::malloc(size));
        if (::read(descriptor, bytes, size) != static_cast<ssize_t>(size)) state.SkipWithError("short read");
        std::memcpy(copy, bytes, size);
        benchmark::DoNotOptimize(copy);
        std::free(copy);
        std::free(bytes);
        ::close(descriptor);
    }
}
BENCHMARK(ReadAndCopyBoardFile);

// The same three from memory, leaving the file system out.
void DecodeBoardWithCDIB(benchmark::State& state) {
    for (auto _ : state) {
        CMemFile file(TestPictures().boardBytes);
        CDIB board;
        if (!board.Load(&file)) state.SkipWithError("the board picture did not load");
        benchmark::DoNotOptimize(board.GetBits());
    }
}
BENCHMARK(DecodeBoardWithCDIB);

void DecodeBoardWithStbImage(benchmark::State& state) {
    const std::vector<BYTE>& bytes = TestPictures().boardBytes;
    for (auto _ : state) {
        std::vector<BYTE> copy(bytes);  // as CMemFile takes its copy
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = stbi_load_from_memory(copy.data(), static_cast<int>(copy.size()), &width, &height, &channels,
                                                0);
        if (pixels == nullptr) state.SkipWithError("stb_image did not load the board picture");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}
BENCHMARK(DecodeBoardWithStbImage);

void CopyBoardBytes(benchmark::State& state) {
    const std::vector<BYTE>& bytes = TestPictures().boardBytes;
    for (auto _ : state) {
        std::vector<BYTE> copy(bytes);
        auto* pixels = static_cast<BYTE*>(std::malloc(bytes.size()));
        std::memcpy(pixels, copy.data(), copy.size());
        benchmark::DoNotOptimize(pixels);
        std::free(pixels);
    }
}
BENCHMARK(CopyBoardBytes);

std::unique_ptr<CPhasedSprite> NewBall(int colour) {
    auto ball = std::make_unique<CPhasedSprite>();
    const auto& folder = TestPictures().ballFolder;
    const std::string path = (folder / (std::to_string(colour) + ".bmp")).string();
    if (folder.empty() || !ball->Load(path.c_str())) {
        MakeBall(*ball, static_cast<BYTE>(20 * colour));
        ball->Initialize();
    }
    ball->SetNumCellColumns(2);
    ball->SetNumCellRows(1);
    return ball;
}

// A full board: a ball on each of the 81 cells, one of them selected.
void RenderEightyOneBalls(benchmark::State& state) {
    CDIB board;
    if (!board.Load(TestPictures().boardPath.c_str())) state.SkipWithError("the board picture did not load");
    std::vector<std::unique_ptr<CPhasedSprite>> balls;
    for (int cell = 0; cell < kCells * kCells; ++cell) {
        balls.push_back(NewBall(1 + cell % 6));
        balls.back()->SetPosition(cell % kCells * kCellSide, cell / kCells * kCellSide);
    }
    CRect clip;
    board.GetRect(&clip);
    for (auto _ : state) {
        for (std::size_t i = 0; i < balls.size(); ++i) {
            CPhasedSprite& ball = *balls[i];
            ball.SetNumCellColumns(2);
            ball.SetNumCellRows(1);
            ball.SetCellColumn(i == 40 ? 1 : 0);
            ball.Render(&board, &clip);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RenderEightyOneBalls);

void CopyTransparent40x40(benchmark::State& state) {
    CDIB board;
    if (!board.Load(TestPictures().boardPath.c_str())) state.SkipWithError("the board picture did not load");
    const auto ball = NewBall(3);
    for (auto _ : state) {
        ball->CopyRectTo(&board, 160, 160, kCellSide, kCellSide, 0, 0, PALETTEINDEX(*ball->GetPixelAddress(0, 0)));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CopyTransparent40x40);

}  // namespace

BENCHMARK_MAIN();
