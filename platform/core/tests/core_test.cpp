// The archive's stored form and what it does with records it cannot trust.  (That the trace stays silent
// unless asked for is the program test's: the game starts without a word on stderr.  The C runtime's random numbers
// are the scenarios': every batch of a fixed seed comes from them.)
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/core/Archive.h"
#include "platform/core/ObList.h"
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

}  // namespace
