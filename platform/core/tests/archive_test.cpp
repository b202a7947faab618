#include <gtest/gtest.h>

#include <memory>

#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/ObList.h"
#include "platform/core/Trace.h"

// Classes with records live at namespace scope, as in the program: the
// record's registry and the archive extractor are global.
class CTestPoint : public CObject {
    DECLARE_SERIAL(CTestPoint)
public:
    std::int32_t m_nX = 0;
    WORD m_wY = 0;
    void Serialize(CArchive& archive) override {
        if (archive.IsStoring()) archive << m_nX << m_wY;
        else archive >> m_nX >> m_wY;
    }
};

class CTestLabel : public CTestPoint {
    DECLARE_SERIAL(CTestLabel)
public:
    BYTE m_byCode = 0;
    void Serialize(CArchive& archive) override {
        CTestPoint::Serialize(archive);
        if (archive.IsStoring()) archive << m_byCode;
        else archive >> m_byCode;
    }
};

class CTestOther : public CObject {
    DECLARE_SERIAL(CTestOther)
};

// Creatable but not serializable: must never come out of a stream.
class CTestCreatable : public CObject {
    DECLARE_DYNCREATE(CTestCreatable)
};

// Counts live objects, to see that failed reads destroy what they made.
class CTestCounted : public CObject {
    DECLARE_SERIAL(CTestCounted)
public:
    static inline int s_nAlive = 0;
    CTestCounted() { ++s_nAlive; }
    ~CTestCounted() override { --s_nAlive; }
};

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestLabel, CTestPoint, 2)
IMPLEMENT_SERIAL(CTestOther, CObject, 0)
IMPLEMENT_DYNCREATE(CTestCreatable, CObject)
IMPLEMENT_SERIAL(CTestCounted, CObject, 0)

namespace {

std::vector<BYTE> Store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        write(archive);
    }
    return file.Bytes();
}

std::unique_ptr<CObject> LoadOne(std::vector<BYTE> bytes, const CRuntimeClass* expected) {
    CMemFile file(std::move(bytes));
    CArchive archive(&file, CArchive::load);
    return std::unique_ptr<CObject>(archive.ReadObject(expected));
}

std::vector<BYTE> StoredLabel() {
    return Store([](CArchive& archive) {
        CTestLabel label;
        label.m_nX = -5;
        label.m_wY = 0x1234;
        label.m_byCode = 9;
        archive.WriteObject(&label);
    });
}

}  // namespace

TEST(RuntimeClass, DerivationCreationAndLookup) {
    EXPECT_TRUE(RUNTIME_CLASS(CTestLabel)->IsDerivedFrom(RUNTIME_CLASS(CTestPoint)));
    EXPECT_TRUE(RUNTIME_CLASS(CTestLabel)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CTestPoint)->IsDerivedFrom(RUNTIME_CLASS(CTestLabel)));
    EXPECT_EQ(CRuntimeClass::FromName("CTestLabel"), RUNTIME_CLASS(CTestLabel));
    EXPECT_EQ(CRuntimeClass::FromName("CTestNothing"), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);

    std::unique_ptr<CObject> made(CRuntimeClass::FromName("CTestLabel")->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CTestLabel));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTestPoint)));
    std::unique_ptr<CObject> creatable(RUNTIME_CLASS(CTestCreatable)->CreateObject());
    EXPECT_FALSE(creatable->IsSerializable());
}

TEST(Archive, NumbersAndCountsAreLittleEndian) {
    const auto bytes = Store([](CArchive& archive) {
        archive << std::int32_t{-2} << std::uint32_t{0x01020304} << WORD{0xABCD} << BYTE{0x7F};
        archive.WriteCount(5);
        archive.WriteCount(0xFFFF);
    });
    const std::vector<BYTE> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xCD, 0xAB, 0x7F,
                                        0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    EXPECT_EQ(bytes, expected);

    CMemFile file(bytes);
    CArchive archive(&file, CArchive::load);
    std::int32_t negative = 0;
    std::uint32_t unsignedValue = 0;
    WORD word = 0;
    BYTE byte = 0;
    archive >> negative >> unsignedValue >> word >> byte;
    EXPECT_EQ(negative, -2);
    EXPECT_EQ(unsignedValue, 0x01020304u);
    EXPECT_EQ(word, 0xABCD);
    EXPECT_EQ(byte, 0x7F);
    EXPECT_EQ(archive.ReadCount(), 5u);
    EXPECT_EQ(archive.ReadCount(), 0xFFFFu);
    EXPECT_THROW(archive >> byte, CFileException);
}

TEST(Archive, ObjectRoundTripByClassRecord) {
    const auto bytes = StoredLabel();
    // Tag, schema, name length, name, then the fields.
    const std::vector<BYTE> head = {0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00, 'C', 'T', 'e', 's', 't', 'L', 'a', 'b', 'e', 'l'};
    ASSERT_EQ(bytes.size(), head.size() + 4 + 2 + 1);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));

    // Read as its base: the stream decides the class.
    const auto object = LoadOne(bytes, RUNTIME_CLASS(CTestPoint));
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CTestLabel));
    const auto* label = static_cast<const CTestLabel*>(object.get());
    EXPECT_EQ(label->m_nX, -5);
    EXPECT_EQ(label->m_wY, 0x1234);
    EXPECT_EQ(label->m_byCode, 9);
}

TEST(Archive, NullObjectAndTypedExtractor) {
    const auto bytes = Store([](CArchive& archive) {
        CTestPoint point;
        point.m_nX = 77;
        archive << static_cast<const CObject*>(nullptr) << &point;
    });
    CMemFile file(bytes);
    CArchive archive(&file, CArchive::load);
    EXPECT_EQ(archive.ReadObject(RUNTIME_CLASS(CObject)), nullptr);
    EXPECT_FALSE(archive.IsBad());
    CTestPoint* point = nullptr;
    archive >> point;
    std::unique_ptr<CTestPoint> owned(point);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->m_nX, 77);
}

TEST(Archive, BadClassRecordsGiveNull) {
    struct Case {
        const char* name;
        std::function<void(std::vector<BYTE>&)> damage;
        const CRuntimeClass* expected;
    };
    const Case cases[] = {
        {"unknown class", [](auto& b) { b[6] = 'X'; }, RUNTIME_CLASS(CObject)},
        {"schema mismatch", [](auto& b) { b[2] = 3; }, RUNTIME_CLASS(CObject)},
        {"bad tag", [](auto& b) { b[0] = 0x12; }, RUNTIME_CLASS(CObject)},
        {"zero name length", [](auto& b) { b[4] = 0; }, RUNTIME_CLASS(CObject)},
        {"huge name length", [](auto& b) { b[4] = 0xFF; b[5] = 0xFF; }, RUNTIME_CLASS(CObject)},
        {"not the expected class", [](auto&) {}, RUNTIME_CLASS(CTestOther)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = StoredLabel();
        c.damage(bytes);
        CMemFile file(bytes);
        CArchive archive(&file, CArchive::load);
        EXPECT_EQ(archive.ReadObject(c.expected), nullptr);
        EXPECT_TRUE(archive.IsBad());
    }
}

TEST(Archive, CreatableButNotSerializableClassIsRefused) {
    // Forge the record by hand: WriteObject itself refuses such objects.
    std::vector<BYTE> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 14, 0};
    for (const char c : std::string("CTestCreatable")) bytes.push_back(static_cast<BYTE>(c));
    EXPECT_EQ(LoadOne(bytes, RUNTIME_CLASS(CObject)), nullptr);

    CMemFile file;
    CArchive archive(&file, CArchive::store);
    CTestCreatable creatable;
    EXPECT_THROW(archive.WriteObject(&creatable), CFileException);
}

TEST(Archive, EveryTruncationGivesNullWithoutLeaks) {
    const auto bytes = Store([](CArchive& archive) {
        CObList list;
        CTestCounted first;
        CTestCounted second;
        list.AddTail(&first);
        list.AddTail(nullptr);
        list.AddTail(&second);
        archive.WriteObject(&list);
    });
    const int aliveBefore = CTestCounted::s_nAlive;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(LoadOne({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)},
                          RUNTIME_CLASS(CObject)),
                  nullptr);
        EXPECT_EQ(CTestCounted::s_nAlive, aliveBefore);
    }
    const auto whole = LoadOne(bytes, RUNTIME_CLASS(CObList));
    ASSERT_NE(whole, nullptr);
    auto* list = static_cast<CObList*>(whole.get());
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetAt(list->FindIndex(1)), nullptr);
    while (!list->IsEmpty()) delete list->RemoveHead();
}

TEST(Archive, DeepNestingIsRefused) {
    // Lists inside lists, deeper than any real data: one object tag each.
    std::vector<BYTE> bytes;
    const std::vector<BYTE> level = {0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'O', 'b', 'L', 'i', 's', 't', 0x01, 0x00};
    for (int depth = 0; depth < 1000; ++depth) bytes.insert(bytes.end(), level.begin(), level.end());
    EXPECT_EQ(LoadOne(bytes, RUNTIME_CLASS(CObject)), nullptr);
}

TEST(Archive, FlushPutsFileAtLogicalPositionWhenStoring) {
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    archive << std::uint32_t{1} << WORD{2};
    EXPECT_EQ(file.GetLength(), 0u);  // still buffered
    archive.Flush();
    EXPECT_EQ(file.GetPosition(), 6u);
    // Bytes written straight to the file between flushes stay in order.
    const BYTE direct[] = {0xAA, 0xBB};
    file.Write(direct, 2);
    archive << BYTE{0xCC};
    archive.Close();
    EXPECT_EQ(file.Bytes(), (std::vector<BYTE>{1, 0, 0, 0, 2, 0, 0xAA, 0xBB, 0xCC}));
}

TEST(Archive, FlushGivesBackReadAheadWhenLoading) {
    std::vector<BYTE> bytes(100);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i);
    CMemFile file(bytes);
    file.Seek(10, CFile::begin);
    CArchive archive(&file, CArchive::load, 32);
    BYTE value = 0;
    archive >> value;
    EXPECT_EQ(value, 10);
    EXPECT_GT(file.GetPosition(), 11u);  // read ahead
    archive.Flush();
    EXPECT_EQ(file.GetPosition(), 11u);

    // Someone reads directly; the archive carries on from there.
    BYTE direct[5] = {};
    EXPECT_EQ(file.Read(direct, 5), 5u);
    archive >> value;
    EXPECT_EQ(value, 16);
    archive.Close();
    EXPECT_EQ(file.GetPosition(), 17u);
}

TEST(Archive, LargeReadsAndWritesCrossTheBuffer) {
    std::vector<BYTE> payload(1000);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<BYTE>(i * 7);
    const auto bytes = Store([&](CArchive& archive) {
        archive << BYTE{1};
        archive.Write(payload.data(), static_cast<UINT>(payload.size()));
        archive << BYTE{2};
    });
    ASSERT_EQ(bytes.size(), payload.size() + 2);
    CMemFile file(bytes);
    CArchive archive(&file, CArchive::load, 64);
    std::vector<BYTE> back(payload.size() + 10);
    BYTE first = 0;
    archive >> first;
    EXPECT_EQ(archive.Read(back.data(), static_cast<UINT>(back.size())), payload.size() + 1);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), back.begin()));
    EXPECT_EQ(back[payload.size()], 2);
}

TEST(Archive, StoreFailureReachesTheCaller) {
    CMemFile file;
    file.SetWriteLimit(3);
    TraceCapture capture;
    {
        CArchive archive(&file, CArchive::store, 16);
        archive << std::uint32_t{0x11223344};
        try {
            archive.Flush();
            FAIL() << "no exception";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_cause, CFileException::diskFull);
        }
        archive << BYTE{1};
    }
    // The destructor cannot throw; it reports the lost byte on the trace.
    EXPECT_EQ(capture.Lines().size(), 1u);
    EXPECT_EQ(file.Bytes().size(), 3u);
}
