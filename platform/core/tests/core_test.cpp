// The archive's stored form and what it does with records it cannot trust; palettes.  (That the trace stays silent
// unless asked for is the program test's: the game starts without a word on stderr.  The C runtime's random numbers
// are the scenarios': every batch of a fixed seed comes from them.)
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/ObList.h"
#include "platform/core/Palette.h"
#include "tests/support/MemFile.h"

// Classes with records live at namespace scope, as in the program.
class CTestPoint : public CObject {
    DECLARE_SERIAL(CTestPoint)
public:
    std::int32_t m_nX = 0;
    void Serialize(CArchive& archive) override {
        if (archive.IsStoring()) archive << m_nX;
        else archive >> m_nX;
    }
};

class CTestLabel : public CTestPoint {
    DECLARE_SERIAL(CTestLabel)
public:
    std::int32_t m_nCode = 0;
    void Serialize(CArchive& archive) override {
        CTestPoint::Serialize(archive);
        if (archive.IsStoring()) archive << m_nCode;
        else archive >> m_nCode;
    }
};

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestLabel, CTestPoint, 2)

namespace {

const std::vector<BYTE> kLabelRecord = {0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00, 'C',  'T',  'e',  's',  't',  'L',
                                        'a',  'b',  'e',  'l',  0xFB, 0xFF, 0xFF, 0xFF, 0x09, 0x00, 0x00, 0x00};
const std::vector<BYTE> kListRecord = {0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x00, 'C', 'O', 'b', 'L', 'i', 's', 't'};

TEST(Archive, NumbersCountsAndObjectsInTheirStoredForm) {
    CMemFile file;
    CArchive store(&file, CArchive::store);
    CTestLabel label;
    label.m_nX = -5;
    label.m_nCode = 9;
    store << std::int32_t{-2};
    store.WriteCount(5);
    store.WriteCount(0xFFFF);
    store.WriteObject(nullptr);
    store.WriteObject(&label);
    std::vector<BYTE> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), kLabelRecord.begin(), kLabelRecord.end());
    EXPECT_EQ(file.Bytes(), expected);

    file.Seek(0, CFile::begin);
    CArchive load(&file, CArchive::load);
    std::int32_t number = 0;
    load >> number;
    EXPECT_EQ(number, -2);
    EXPECT_EQ(load.ReadCount(), 5u);
    EXPECT_EQ(load.ReadCount(), 0xFFFFu);
    EXPECT_EQ(load.ReadObject(RUNTIME_CLASS(CObject)), nullptr);
    // Read as its base: the stream decides the class.
    const std::unique_ptr<CObject> object(load.ReadObject(RUNTIME_CLASS(CTestPoint)));
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CTestLabel));
    EXPECT_EQ(static_cast<CTestLabel&>(*object).m_nX, -5);
    EXPECT_EQ(static_cast<CTestLabel&>(*object).m_nCode, 9);
    EXPECT_FALSE(load.IsBad());
    EXPECT_THROW(load >> number, CFileException);
    // An object whose class cannot be read back is not written.
    CObList list;
    EXPECT_THROW(store.WriteObject(&list), CFileException);
}

TEST(Archive, UntrustedClassRecordsGiveNullAndStopTheReading) {
    const std::pair<const char*, std::function<void(std::vector<BYTE>&)>> damages[] = {
        {"unknown class", [](auto& bytes) { bytes[6] = 'X'; }},
        {"schema mismatch", [](auto& bytes) { bytes[2] = 3; }},
        {"bad tag", [](auto& bytes) { bytes[0] = 0x12; }},
        {"zero name length", [](auto& bytes) { bytes[4] = 0; }},
        {"huge name length",
         [](auto& bytes) {
             bytes[4] = 0xFF;
             bytes[5] = 0xFF;
         }},
        {"data cut short", [](auto& bytes) { bytes.resize(kLabelRecord.size() - 1); }},
        {"a class that cannot be created",
         [](auto& bytes) {
             bytes.erase(bytes.begin(), bytes.begin() + 16);  // the class record
             bytes.insert(bytes.begin(), kListRecord.begin(), kListRecord.end());
         }},
    };
    for (const auto& [name, damage] : damages) {
        SCOPED_TRACE(name);
        std::vector<BYTE> bytes = kLabelRecord;
        bytes.insert(bytes.end(), kLabelRecord.begin(), kLabelRecord.end());  // a good one behind
        damage(bytes);
        CMemFile file(bytes);
        CArchive archive(&file, CArchive::load);
        EXPECT_EQ(archive.ReadObject(RUNTIME_CLASS(CObject)), nullptr);
        EXPECT_TRUE(archive.IsBad());
        EXPECT_EQ(archive.ReadObject(RUNTIME_CLASS(CObject)), nullptr) << "once bad, nothing more is read";
    }
    CMemFile file(kLabelRecord);
    CArchive archive(&file, CArchive::load);
    EXPECT_EQ(archive.ReadObject(RUNTIME_CLASS(CObList)), nullptr) << "not the class asked for";
    EXPECT_TRUE(archive.IsBad());
}

// A palette holds 1 to 256 entries and hands out the part of them asked for.
TEST(Palette, EntryRanges) {
    const std::vector<PALETTEENTRY> many(257);
    for (const int count : {0, 257}) {
        CPalette refused;
        EXPECT_FALSE(refused.CreatePalette(many.data(), count)) << count;
        EXPECT_EQ(refused.GetEntryCount(), -1) << count;
    }

    const PALETTEENTRY four[] = {{1, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}, {4, 0, 0, 0}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(four, 4));
    // First entry asked for, how many, and the reds of those handed out.
    const std::tuple<UINT, UINT, std::vector<BYTE>> cases[] = {
        {0, 4, {1, 2, 3, 4}}, {1, 2, {2, 3}}, {2, 9, {3, 4}}, {4, 1, {}}, {5, 1, {}}, {0, 0, {}},
    };
    for (const auto& [start, count, reds] : cases) {
        std::vector<PALETTEENTRY> out(8);
        const UINT copied = palette.GetPaletteEntries(start, count, out.data());
        std::vector<BYTE> handedOut;
        for (UINT index = 0; index < std::min<UINT>(copied, 8); ++index) handedOut.push_back(out[index].peRed);
        EXPECT_EQ(handedOut, reds) << start << ", " << count;
    }
}

// The nearest entry by squared distance over red, green and blue; the first of equally near ones.
TEST(Palette, NearestColour) {
    const PALETTEENTRY entries[] = {
        {0, 0, 0, 0}, {200, 0, 0, 0}, {0, 0, 200, 0}, {100, 100, 100, 0}, {210, 130, 130, 0}, {0, 200, 0, 0},
    };
    CPalette palette;
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 0)), 0xFFFFFFFFu) << "no palette yet";
    ASSERT_TRUE(palette.CreatePalette(entries, 6));
    const std::pair<COLORREF, UINT> cases[] = {
        {RGB(10, 0, 0), 0},
        {RGB(190, 0, 0), 1},
        {RGB(0, 0, 190), 2},
        {RGB(0, 190, 0), 5},
        {RGB(100, 0, 0), 0},  // halfway between black and red: the first
        // 30 off in each of three channels is nearer than 80 off in one.
        {RGB(130, 130, 130), 3},
    };
    for (const auto& [colour, index] : cases)
        EXPECT_EQ(palette.GetNearestPaletteIndex(colour), index) << std::hex << colour;
}

}  // namespace
