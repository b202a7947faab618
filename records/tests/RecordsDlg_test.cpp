// The records dialog draws the file's rows by hand: ten at most, at
// y = 25 x n, each field at its own x, read afresh on every paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/ui/ResourceRegistry.h"
#include "records/RecordsDlg.h"
#include "records/tests/GuiTestSupport.h"

namespace {

// One record with one-character fields, so that each field's ink stands
// alone: score "7", name "AB", 9:05 on 3.3.2007.
std::string ShortRecord() {
    return std::string("7\0\0\0\0", 5) + "AB       " + "9  " + "5  " + "3  " + "3  " + "2007";
}

std::string Records(int count) {
    std::string table;
    for (int record = 0; record < count; ++record) table += ShortRecord();
    return table;
}

bool IsInk(QRgb pixel) {
    return qGray(pixel) < 110;
}

bool HasInk(const QImage& image, const QRect& area) {
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (IsInk(image.pixel(x, y))) return true;
        }
    }
    return false;
}

constexpr std::array<int, 7> kFieldX = {CRecordsDlg::kScoreX, CRecordsDlg::kNameX,  CRecordsDlg::kHourX,
                                        CRecordsDlg::kMinuteX, CRecordsDlg::kDayX,  CRecordsDlg::kMonthX,
                                        CRecordsDlg::kYearX};

// Row n's texts start at each field's x and lie within its 18-pixel line.
void ExpectRow(const QImage& table, int row) {
    const int top = 25 * row;
    for (const int x : kFieldX) {
        EXPECT_TRUE(HasInk(table, QRect(x, top, 4, 18))) << "row " << row << " field at " << x;
        EXPECT_FALSE(HasInk(table, QRect(x - 3, top, 3, 18))) << "row " << row << " before field at " << x;
    }
    EXPECT_FALSE(HasInk(table, QRect(0, top - 6, 300, 6))) << "above row " << row;
}

class RecordsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDialogResource(CRecordsDlg::IDD, CRecordsDlg::Template());
        std::string pattern = (std::filesystem::temp_directory_path() / "velmor-records-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_path = m_folder + "/stat.txt";
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    void WriteTable(const std::string& bytes) const { std::ofstream(m_path, std::ios::binary) << bytes; }

    // Shows the dialog, hands the drawn table to `inspect`, closes it with its button.
    void ShowAndInspect(const std::function<void(CRecordsDlg&, QWidget*)>& inspect) {
        CRecordsDlg dialog(nullptr, m_path);
        bool inspected = false;
        WhenModalShown([&](QWidget* window) {
            inspected = true;
            inspect(dialog, window);
            PressButton(window, QString::fromUtf8("закрыть"));
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(inspected);
    }

    static QImage Table(CRecordsDlg& dialog) {
        dialog.UpdateWindow();
        return GrabClient(dialog);
    }

    std::string m_folder;
    std::string m_path;
};

}  // namespace

TEST_F(RecordsDlgTest, TwelveRecordsDrawTenRowsAtTheirPlaces) {
    WriteTable(Records(12));
    ShowAndInspect([](CRecordsDlg& dialog, QWidget* window) {
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8("  РЕКОРДЫ"));
        const QImage table = Table(dialog);
        ASSERT_GT(table.height(), 300);
        for (int row = 1; row <= 10; ++row) ExpectRow(table, row);
        EXPECT_FALSE(HasInk(table, QRect(0, 268, table.width(), 32))) << "an eleventh row";
    });
}

TEST_F(RecordsDlgTest, MissingOrEmptyFileDrawsAnEmptyTable) {
    for (const bool exists : {false, true}) {
        if (exists) WriteTable("");
        ShowAndInspect([exists](CRecordsDlg& dialog, QWidget*) {
            EXPECT_FALSE(HasInk(Table(dialog), QRect(0, 0, 300, 300))) << (exists ? "empty file" : "no file");
        });
    }
}

TEST_F(RecordsDlgTest, EveryPaintReadsTheFileAfresh) {
    WriteTable(Records(1));
    ShowAndInspect([this](CRecordsDlg& dialog, QWidget*) {
        QImage table = Table(dialog);
        ExpectRow(table, 1);
        EXPECT_FALSE(HasInk(table, QRect(0, 45, 300, 30)));
        WriteTable(Records(2));
        dialog.Invalidate();
        table = Table(dialog);
        ExpectRow(table, 2);
    });
}
