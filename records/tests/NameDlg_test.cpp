// The name entry: focus on "OK", the name taken only through "OK", cut to
// nine bytes and stored as Windows-1251 with '?' for what the code page lacks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/ui/ResourceRegistry.h"
#include "records/NameDlg.h"
#include "records/tests/GuiTestSupport.h"

namespace {

enum class Close { ok, enter, escape, closeBox };

struct NameResult {
    int status;
    std::string name;
    std::string focusedButton;
};

// Shows the dialog, types `typed` into the edit field and closes the dialog.
NameResult EnterName(const QString& typed, Close close) {
    RegisterDialogResource(CNameDlg::IDD, CNameDlg::Template());
    CNameDlg dialog;
    NameResult result;
    WhenModalShown([&](QWidget* window) {
        result.focusedButton = FocusedButtonText();
        auto* edit = window->findChild<QLineEdit*>();
        if (edit != nullptr && !typed.isEmpty()) TypeText(edit, typed);
        switch (close) {
        case Close::ok: PressButton(window, "OK"); break;
        case Close::enter: QTest::keyClick(window, Qt::Key_Return); break;
        case Close::escape: QTest::keyClick(window, Qt::Key_Escape); break;
        case Close::closeBox: window->close(); break;
        }
    });
    result.status = dialog.DoModal();
    result.name = dialog.m_strName;
    return result;
}

}  // namespace

TEST(NameDlgTest, FocusStartsOnOkAndEnterAtOnceGivesAnEmptyName) {
    const NameResult result = EnterName("", Close::enter);
    EXPECT_EQ(result.focusedButton, "OK");
    EXPECT_EQ(result.status, IDOK);
    EXPECT_EQ(result.name, "");
}

TEST(NameDlgTest, TypedNamesReachTheCallerThroughOk) {
    struct Case {
        const char* typed;  // UTF-8
        std::string stored;  // Windows-1251
    };
    const Case cases[] = {
        {"Bob", "Bob"},
        {"Алёна", "\xC0\xEB\xB8\xED\xE0"},
        {"abcdefghijkl", "abcdefghi"},
        {"日本 ok", "?? ok"},
        {"Вячеславовна", "\xC2\xFF\xF7\xE5\xF1\xEB\xE0\xE2\xEE"},
    };
    for (const Case& test : cases) {
        const NameResult result = EnterName(QString::fromUtf8(test.typed), Close::ok);
        EXPECT_EQ(result.status, IDOK) << test.typed;
        EXPECT_EQ(result.name, test.stored) << test.typed;
    }
}

TEST(NameDlgTest, ClosingAnyOtherWayKeepsTheNameEmpty) {
    for (const Close close : {Close::escape, Close::closeBox}) {
        const NameResult result = EnterName("Bob", close);
        EXPECT_EQ(result.status, IDCANCEL);
        EXPECT_EQ(result.name, "");
    }
}
