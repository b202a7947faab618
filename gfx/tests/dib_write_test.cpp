#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Archive.h"
#include "platform/core/Dialogs.h"
#include "platform/core/MemFile.h"
#include "platform/core/Trace.h"

namespace {

std::vector<BYTE> Saved(const CDIB& dib) {
    CMemFile file;
    EXPECT_TRUE(dib.Save(&file));
    return file.Bytes();
}

DWORD Le32(const std::vector<BYTE>& bytes, std::size_t offset) {
    return ReadLe32(std::span<const BYTE>(bytes).subspan(offset));
}

}  // namespace

TEST(DibWrite, NewImageLayout) {
    const CDIB dib;
    const std::vector<BYTE> bytes = Saved(dib);
    ASSERT_EQ(bytes.size(), 1334u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), 1334u);
    EXPECT_EQ(Le32(bytes, 6), 0u);  // both reserved words
    EXPECT_EQ(Le32(bytes, 10), 1078u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), 16u);
    EXPECT_EQ(Le32(bytes, 14 + 32), 0u);  // biClrUsed
    for (std::size_t i = 0; i < 256; ++i) {
        const BYTE expected[4] = {BYTE(i), BYTE(i), BYTE(i), 0};
        ASSERT_TRUE(std::equal(expected, expected + 4, bytes.begin() + 54 + std::ptrdiff_t(4 * i))) << i;
    }
    EXPECT_TRUE(std::all_of(bytes.begin() + 1078, bytes.end(), [](BYTE b) { return b == 0; }));
}

TEST(DibWrite, FileSizesFollowTheRowLength) {
    CDIB dib;
    dib.Create(40, 40);
    EXPECT_EQ(Le32(Saved(dib), 2), 2678u);
    dib.Create(360, 360);
    EXPECT_EQ(Le32(Saved(dib), 2), 130678u);
    BmpSpec spec;
    spec.bitCount = 24;
    spec.width = 10;
    spec.height = 10;
    CMemFile file(BuildBmp(spec));
    ASSERT_TRUE(dib.Load(&file));
    const auto bytes = Saved(dib);
    EXPECT_EQ(bytes.size(), 1398u) << "the table region is written even without colours";
    EXPECT_EQ(Le32(bytes, 10), 1078u);
}

TEST(DibWrite, Os2PictureRoundTripsAsWindowsBehindOtherData) {
    BmpSpec spec;
    spec.core = true;
    spec.bitCount = 8;
    spec.width = 5;
    spec.height = 3;
    CMemFile source(BuildBmp(spec));
    CDIB original;
    ASSERT_TRUE(original.Load(&source));

    CMemFile file(std::vector<BYTE>(100, 0x5A));
    file.Seek(100, CFile::begin);
    ASSERT_TRUE(original.Save(&file));
    EXPECT_EQ(file.GetPosition(), 100u + 1078 + 8 * 3);
    EXPECT_EQ(Le32(file.Bytes(), 114), 40u) << "saved with the Windows header";

    file.Seek(100, CFile::begin);
    CDIB copy;
    ASSERT_TRUE(copy.Load(&file));
    EXPECT_EQ(file.GetPosition(), 100u + 1078 + 8 * 3);
    EXPECT_EQ(DibToRgb(copy), DibToRgb(original));
    EXPECT_EQ(copy.GetColorCount(), 256);
}

TEST(DibWrite, EachFailedWriteIsNamed) {
    const CDIB dib;
    const std::pair<std::size_t, const char*> cases[] = {
        {5, "Failed to write file header"}, {100, "Failed to write BITMAPINFO"}, {1200, "Failed to write bits"}};
    for (const auto& [limit, text] : cases) {
        CMemFile file;
        file.SetWriteLimit(limit);
        TraceCapture trace;
        EXPECT_FALSE(dib.Save(&file));
        EXPECT_EQ(trace.Lines(), std::vector<std::string>{text});
    }
}

TEST(DibWrite, SerializedImageIsFollowedByTheNextField) {
    CDIB dib;
    dib.Create(6, 2);
    *dib.GetPixelAddress(5, 0) = 42;
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive << std::uint32_t{0x11223344};
        archive.WriteObject(&dib);
        archive << std::uint32_t{0xCAFEF00D};
    }
    file.SeekToBegin();
    CArchive archive(&file, CArchive::load);
    std::uint32_t before = 0;
    archive >> before;
    std::unique_ptr<CObject> object(archive.ReadObject(RUNTIME_CLASS(CDIB)));
    ASSERT_NE(object, nullptr);
    const auto* copy = static_cast<const CDIB*>(object.get());
    EXPECT_EQ(copy->ImageWidth(), 6);
    EXPECT_EQ(*copy->GetPixelAddress(5, 0), 42);
    std::uint32_t after = 0;
    archive >> after;
    EXPECT_EQ(after, 0xCAFEF00Du);
}

TEST(DibWrite, NamedFiles) {
    std::vector<std::string> boxes;
    SetMessageBoxHook([&](const char* text, UINT) {
        boxes.emplace_back(text);
        return IDOK;
    });
    std::optional<std::string> answer;
    std::vector<UINT> flags;
    SetFileDialogHook([&](const FileDialogRequest& request) {
        flags.push_back(request.flags);
        EXPECT_EQ(request.mode, FileDialogMode::save);
        return answer;
    });
    const CDIB dib;
    EXPECT_FALSE(dib.Save(""));
    EXPECT_EQ(flags, std::vector<UINT>{6});
    EXPECT_TRUE(boxes.empty()) << "a cancelled dialog shows nothing";

    EXPECT_FALSE(dib.Save("/nonexistent/velmor/out.bmp"));
    EXPECT_EQ(boxes, std::vector<std::string>{"Failed to open file"});

    const auto path = std::filesystem::temp_directory_path() / "velmor_gfx_named_save.bmp";
    answer = path.string();
    EXPECT_TRUE(dib.Save(static_cast<const char*>(nullptr)));
    std::ifstream in(path, std::ios::binary);
    const std::vector<BYTE> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, Saved(dib));
    EXPECT_EQ(boxes.size(), 1u);
    std::filesystem::remove(path);
    SetFileDialogHook({});
    SetMessageBoxHook({});
}
