// Dialogs from templates: sizes in dialog units, tab order, focus, data
// exchange, hand-drawn painting.  Cancelling is checked on the name dialog.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/ui/Dialog.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/tests/UiTestSupport.h"

using namespace ui_test;

namespace {

constexpr UINT kNameDialog = 149;
constexpr UINT kPaintedDialog = 148;
constexpr int kEditId = 1001;

void RegisterDialogs() {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    RegisterDialogResource(kNameDialog,
                           rc::Dialog(style, 0, 0, 166, 63, "", 9, "Arial",
                                      {rc::DefPushButton("OK", IDOK, 54, 42, 50, 14),
                                       rc::EditText(kEditId, 7, 26, 141, 14, ES_AUTOHSCROLL),
                                       rc::LText("\xC2\xE2\xE5\xE4\xE8\xF2\xE5", IDC_STATIC, 25, 17, 110, 8)}));
    RegisterDialogResource(kPaintedDialog, rc::Dialog(style, 0, 0, 169, 198, "  \xD0\xC5\xCA", 9, "Arial",
                                                      {rc::DefPushButton("\xE7\xE0\xEA\xF0\xFB\xF2\xFC", IDOK, 57, 177, 50, 14)}));
}

class NameDlg : public CDialog {
public:
    NameDlg() : CDialog(kNameDialog) {}
    std::string m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kEditId, m_strName); }
};

class PaintedDlg : public CDialog {
public:
    PaintedDlg() : CDialog(kPaintedDialog) {}

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        dc.FillSolidRect(CRect(10, 25, 40, 43), RGB(255, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterDialogs(); }
    void TearDown() override {
        FlushDeletes();
        ClearUiResources();
    }
    // Runs the dialog; once it is up and active, `whileOpen` acts on it.
    int RunModal(CDialog& dialog, const std::function<void(QDialog*)>& whileOpen) {
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([&] {
                return dialog.GetOuterWidget() != nullptr && QApplication::activeWindow() == dialog.GetOuterWidget();
            }));
            whileOpen(static_cast<QDialog*>(dialog.GetOuterWidget()));
        });
        return dialog.DoModal();
    }
};

TEST_F(DialogTest, FocusStartsOnTheFirstTabStopAndTabOrderIsTemplateOrder) {
    NameDlg dialog;
    const int result = RunModal(dialog, [&](QDialog* window) {
        auto* ok = qobject_cast<QPushButton*>(dialog.GetDlgItem(IDOK)->GetOuterWidget());
        auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(kEditId)->GetOuterWidget());
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), ok);
        EXPECT_TRUE(ok->isDefault());
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), edit);
        for (const QString& letter : {QString::fromUtf8("Ё"), QString::fromUtf8("ж"), QString::fromUtf8("✓")})
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, letter, Qt::NoModifier);
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), ok);
        QTest::keyClick(window->windowHandle(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strName, "\xA8\xE6?");
}

TEST_F(DialogTest, EnterAtOnceAnswersOkWithTheTextTheFieldWasGiven) {
    NameDlg dialog;
    dialog.m_strName = "old";  // OnInitDialog puts it in the field; OK takes it back
    const int result = RunModal(dialog, [](QDialog* window) { QTest::keyClick(window->windowHandle(), Qt::Key_Return); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_strName, "old");
}

TEST_F(DialogTest, SizesComeFromDialogUnitsOfTheTemplateFont) {
    NameDlg dialog;
    RunModal(dialog, [&](QDialog* window) {
        const CSize base = dialog.GetDialogBaseUnits();
        // Arial 9 point at 96 dpi: about 6-7 pixels wide, 14-15 high.
        EXPECT_GE(base.cx, 5);
        EXPECT_LE(base.cx, 8);
        EXPECT_GE(base.cy, 13);
        EXPECT_LE(base.cy, 16);
        CRect client;
        dialog.GetClientRect(&client);
        EXPECT_EQ(client.Width(), MulDiv(166, base.cx, 4));
        EXPECT_EQ(client.Height(), MulDiv(63, base.cy, 8));
        CRect edit(7, 26, 7 + 141, 26 + 14);
        dialog.MapDialogRect(&edit);
        const QRect placed = dialog.GetDlgItem(kEditId)->GetOuterWidget()->geometry();
        EXPECT_EQ(placed, QRect(edit.left, edit.top, edit.Width(), edit.Height()));
        EXPECT_EQ(window->windowTitle(), QString());
        dialog.EndDialog(IDCANCEL);
    });
}

TEST_F(DialogTest, PaintHandlerDrawsByHandOverTheDialogColour) {
    PaintedDlg dialog;
    QImage screen;
    RunModal(dialog, [&](QDialog* window) {
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8("  РЕК"));
        ASSERT_TRUE(WaitFor([&] {
            screen = GrabClient(dialog);
            return screen.pixel(20, 30) == qRgb(255, 0, 0);
        }));
        dialog.EndDialog(IDOK);
    });
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(screen.pixel(5, 5), qRgb(GetRValue(face), GetGValue(face), GetBValue(face)));
    EXPECT_EQ(screen.pixel(39, 42), qRgb(255, 0, 0));
    EXPECT_NE(screen.pixel(40, 43), qRgb(255, 0, 0));
}

TEST_F(DialogTest, MissingTemplateCannotBeShown) {
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
}

}  // namespace
