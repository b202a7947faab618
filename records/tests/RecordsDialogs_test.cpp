// The name entry (the name taken only through "OK", cut to nine bytes, in Windows-1251 with '?' for what it lacks)
// and the records table drawn from the file, read afresh on every paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "platform/ui/UiResources.h"
#include "records/NameDlg.h"
#include "records/RecordsDlg.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace {

enum class Close { enter, ok, escape, closeBox };

// Every case also checks the layout and that Tab goes round from "OK".  (Enter at once is the game-over test's.)
TEST(NameDlgTest, TheNameReachesTheCallerOnlyThroughOk) {
    RegisterDialogResource(CNameDlg::IDD, CNameDlg::Template());
    const struct {
        const char* typed;  // UTF-8
        Close close;
        int status;
        std::string stored;  // Windows-1251
    } cases[] = {
        {"Bob", Close::ok, IDOK, "Bob"},
        {"Алёна", Close::enter, IDOK, "\xC0\xEB\xB8\xED\xE0"},
        {"abcdefghijkl", Close::ok, IDOK, "abcdefghi"},
        {"Вячеславовна", Close::ok, IDOK, "\xC2\xFF\xF7\xE5\xF1\xEB\xE0\xE2\xEE"},
        {"日本 ok", Close::ok, IDOK, "?? ok"},
        {"Bob", Close::escape, IDCANCEL, ""},
        {"Bob", Close::closeBox, IDCANCEL, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.typed);
        CNameDlg dialog;
        WhenModalShown([&](QWidget* window) {
            EXPECT_EQ(FocusedButtonText(), "OK");
            const auto labels = window->findChildren<QLabel*>();
            auto* edit = window->findChild<QLineEdit*>();
            ASSERT_TRUE(labels.size() == 2 && edit != nullptr);
            EXPECT_LT(labels[1]->y(), labels[0]->y());
            EXPECT_LT(labels[0]->y(), edit->y());
            for (const QLabel* label : labels) EXPECT_LE(label->sizeHint().width(), label->width()) << "a text is cut";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), edit);
            QTest::keyClick(edit, Qt::Key_Tab);
            EXPECT_EQ(FocusedButtonText(), "OK");
            TypeText(edit, QString::fromUtf8(test.typed));
            switch (test.close) {
            case Close::enter: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); break;
            case Close::ok: PressButton(window, "OK"); break;
            case Close::escape: QTest::keyClick(edit, Qt::Key_Escape); break;
            case Close::closeBox: window->close(); break;
            }
        });
        EXPECT_EQ(dialog.DoModal(), test.status);
        EXPECT_EQ(dialog.m_strName, test.stored);
    }
}

// Records whose fields' ink stands apart: score "7", name "AB", 9:05 on 3.3.2007.
std::string Records(int count) {
    std::string table;
    for (int record = 0; record < count; ++record)
        table += std::string("7\0\0\0\0", 5) + "AB       " + "9  " + "5  " + "3  " + "3  " + "2007";
    return table;
}

struct CTestRecordsDlg : CRecordsDlg {
    using CRecordsDlg::CRecordsDlg;
    using CRecordsDlg::Invalidate;
};

// No file, an empty one, more records than the ten rows; then the file changed.  Row n's texts start at each
// field's x and lie within its 18-pixel line.
TEST(RecordsDlgTest, AtMostTenRowsAtTheirPlacesAsTheFileNowHolds) {
    RegisterDialogResource(CRecordsDlg::IDD, CRecordsDlg::Template());
    const auto expectRows = [](const QImage& table, int rows) {
        ASSERT_GT(table.height(), 300);
        for (int row = 1; row <= rows; ++row) {
            for (const int x : {10, 50, 130, 150, 180, 200, 220}) {
                EXPECT_TRUE(HasInk(table, QRect(x, 25 * row, 4, 18))) << "row " << row << " field at " << x;
                EXPECT_FALSE(HasInk(table, QRect(x - 3, 25 * row, 3, 18))) << "row " << row << " before " << x;
            }
            EXPECT_FALSE(HasInk(table, QRect(0, 25 * row - 6, 300, 6))) << "above row " << row;
        }
        const int below = rows == 0 ? 0 : 25 * rows + 18;
        EXPECT_FALSE(HasInk(table, QRect(0, below, table.width(), 300 - below))) << rows << " rows";
    };
    for (const int records : {-1, 0, 12}) {
        const CScratchFolder folder;
        ASSERT_TRUE(records < 0 || WriteWholeFile(folder / "stat.txt", Records(records)));
        CTestRecordsDlg dialog(nullptr, folder / "stat.txt");
        WhenModalShown([&](QWidget* window) {
            dialog.UpdateWindow();
            expectRows(GrabClient(dialog), std::clamp(records, 0, 10));
            EXPECT_TRUE(WriteWholeFile(folder / "stat.txt", Records(2)));
            dialog.Invalidate();
            dialog.UpdateWindow();
            expectRows(GrabClient(dialog), 2);
            PressButton(window, QString::fromUtf8("закрыть"));
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
}

}  // namespace
