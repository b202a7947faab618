// Painting, device contexts, text and pictures: what reaches the surface
// and what reaches the screen.
#include <gtest/gtest.h>

#include <QWindow>
#include <cstring>
#include <vector>

#include "platform/ui/ClientDC.h"
#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/tests/UiTestSupport.h"

using namespace ui_test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

QRgb Qt(COLORREF colour) { return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// A top-level window of a chosen class whose paint handler fills one
// rectangle through a paint context, and whose click handler draws three
// frames with pauses and looks at the screen after each.
class CanvasWnd : public CWnd {
public:
    explicit CanvasWnd(HBRUSH background) : m_background(background) {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), m_background, nullptr);
        return TRUE;
    }
    bool Create() {
        return CreateEx(0, nullptr, "canvas", WS_POPUP | WS_VISIBLE, 40, 40, 200, 120, nullptr, nullptr) != FALSE;
    }

    CRect m_paintFill = CRect(10, 10, 30, 30);
    CRect m_lastPaint;
    int m_nPaints = 0;
    std::vector<QRgb> m_seenOnScreen;

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        ++m_nPaints;
        m_lastPaint = dc.m_ps.rcPaint;
        dc.FillSolidRect(m_paintFill, kGreen);
    }
    afx_msg void OnLButtonDown(UINT, CPoint) {
        for (const COLORREF colour : {kRed, kBlue, kGreen}) {
            {
                CClientDC dc(this);
                dc.FillSolidRect(CRect(100, 50, 140, 90), colour);
            }
            m_seenOnScreen.push_back(GrabClient(*this).pixel(120, 70));
            Sleep(20);
        }
    }
    DECLARE_MESSAGE_MAP()

private:
    HBRUSH m_background;
};

BEGIN_MESSAGE_MAP(CanvasWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CanvasTest : public ::testing::Test {
protected:
    void Open(CanvasWnd& canvas) {
        ASSERT_TRUE(canvas.Create());
        ASSERT_TRUE(WaitFor([&] { return canvas.GetOuterWidget()->windowHandle()->isExposed() && canvas.m_nPaints > 0; }));
    }
    void TearDown() override { FlushDeletes(); }
};

TEST_F(CanvasTest, DrawingFromABlockingHandlerReachesTheScreenAtOnce) {
    CanvasWnd canvas(SysColorBrushValue(COLOR_WINDOW));
    Open(canvas);
    QTest::mouseClick(canvas.GetOuterWidget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(canvas.m_seenOnScreen, (std::vector<QRgb>{Qt(kRed), Qt(kBlue), Qt(kGreen)}));
}

TEST_F(CanvasTest, PaintErasesToTheClassBrushThenRunsTheHandlerClippedToTheRegion) {
    CanvasWnd canvas(SysColorBrushValue(COLOR_WINDOW));
    Open(canvas);
    {
        CClientDC dc(&canvas);
        dc.FillSolidRect(CRect(0, 0, 200, 120), kRed);
    }
    // Only the invalid rectangle is erased and painted, though the handler
    // fills a larger one.
    canvas.m_paintFill = CRect(0, 0, 200, 120);
    const CRect region(50, 20, 70, 40);
    canvas.InvalidateRect(&region);
    canvas.UpdateWindow();
    EXPECT_EQ(canvas.m_lastPaint, region);
    const QImage screen = GrabClient(canvas);
    EXPECT_EQ(screen.pixel(55, 25), Qt(kGreen));
    EXPECT_EQ(screen.pixel(49, 25), Qt(kRed));
    EXPECT_EQ(screen.pixel(70, 25), Qt(kRed));
    EXPECT_FALSE(canvas.GetUpdateRect(nullptr));

    // A paint that draws nothing shows the erased background.
    canvas.m_paintFill = CRect();
    canvas.InvalidateRect(&region);
    canvas.UpdateWindow();
    EXPECT_EQ(GrabClient(canvas).pixel(55, 25), Qt(GetSysColor(COLOR_WINDOW)));
}

TEST_F(CanvasTest, AWindowWithoutBackgroundBrushIsNotErased) {
    CanvasWnd canvas(nullptr);
    Open(canvas);
    {
        CClientDC dc(&canvas);
        dc.FillSolidRect(CRect(0, 0, 200, 120), kRed);
    }
    canvas.m_paintFill = CRect();
    canvas.Invalidate();
    ASSERT_TRUE(WaitFor([&] { return canvas.m_nPaints > 1; }));
    EXPECT_EQ(GrabClient(canvas).pixel(100, 100), Qt(kRed));
}

TEST_F(CanvasTest, TextSitsInItsCellOnAnOpaqueBackgroundOfTheCellsHeight) {
    CanvasWnd canvas(SysColorBrushValue(COLOR_WINDOW));
    Open(canvas);
    CFont font;
    ASSERT_TRUE(font.CreateFontA(18, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0x20, "Arial"));
    CClientDC dc(&canvas);
    dc.FillSolidRect(CRect(0, 0, 200, 120), kBlue);
    CFont* stock = dc.SelectObject(&font);
    ASSERT_NE(stock, nullptr);
    TEXTMETRIC metrics;
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(metrics.tmHeight, 18);

    // Default colours: black text on white.
    ASSERT_TRUE(dc.TextOutA(10, 15, "\xF1\xF7\xE5\xF2:", 5));  // "счет:"
    const CSize extent = dc.GetTextExtent("\xF1\xF7\xE5\xF2:", 5);
    EXPECT_EQ(extent.cy, 18);
    int top = 1000, bottom = -1, left = 1000, right = -1, dark = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 200; ++x) {
            const COLORREF pixel = dc.GetPixel(x, y);
            if (pixel == kBlue) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
            if (GetRValue(pixel) < 100 && GetBValue(pixel) < 100) ++dark;
        }
    }
    EXPECT_EQ(top, 15);
    EXPECT_EQ(bottom, 15 + 17);
    EXPECT_EQ(left, 10);
    EXPECT_EQ(right, 10 + extent.cx - 1);
    EXPECT_EQ(dc.GetPixel(10, 15), RGB(255, 255, 255));
    EXPECT_GT(dark, 20);  // the letters themselves

    // Blanks paint only background, in the colour set.
    dc.SetBkColor(kGreen);
    dc.SetTextColor(kRed);
    ASSERT_TRUE(TextOutA(dc.GetSafeHdc(), 100, 60, "        ", 8));
    const CSize blanks = dc.GetTextExtent("        ", 8);
    for (int y = 60; y < 78; ++y) {
        for (int x = 100; x < 100 + blanks.cx; ++x) ASSERT_EQ(dc.GetPixel(x, y), kGreen) << x << "," << y;
    }
    EXPECT_EQ(dc.GetPixel(100, 78), kBlue);
    EXPECT_EQ(dc.SelectObject(stock), &font);
}

// A small picture of every depth, drawn 1:1 and compared pixel by pixel.
struct Dib {
    BITMAPINFO info{};
    std::vector<BYTE> bits;
};

Dib MakeDib(int width, int height, WORD bitCount, DWORD coloursUsed = 0) {
    Dib dib;
    dib.info.bmiHeader.biSize = 40;
    dib.info.bmiHeader.biWidth = width;
    dib.info.bmiHeader.biHeight = height;
    dib.info.bmiHeader.biPlanes = 1;
    dib.info.bmiHeader.biBitCount = bitCount;
    dib.info.bmiHeader.biClrUsed = coloursUsed;
    for (int index = 0; index < 256; ++index)
        dib.info.bmiColors[index] = RGBQUAD{static_cast<BYTE>(index), static_cast<BYTE>(255 - index), static_cast<BYTE>(index * 7), 0};
    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    dib.bits.assign(stride * static_cast<std::size_t>(height), 0);
    return dib;
}

// Writes value (an index, or packed bytes for the deep formats) at (x, y)
// counted from the top; rows are stored bottom-up.
void Put(Dib& dib, int x, int y, std::uint32_t value) {
    const auto& header = dib.info.bmiHeader;
    const std::size_t stride = ((static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    BYTE* row = dib.bits.data() + stride * static_cast<std::size_t>(header.biHeight - 1 - y);
    const auto column = static_cast<std::size_t>(x);
    switch (header.biBitCount) {
    case 1: row[column / 8] = static_cast<BYTE>(row[column / 8] | (value << (7 - column % 8))); break;
    case 4: row[column / 2] = static_cast<BYTE>(row[column / 2] | (value << (column % 2 == 0 ? 4 : 0))); break;
    case 8: row[column] = static_cast<BYTE>(value); break;
    default: std::memcpy(row + column * header.biBitCount / 8, &value, header.biBitCount / 8u); break;
    }
}

TEST_F(CanvasTest, StretchDIBitsDrawsEveryDepthBottomUp) {
    CanvasWnd canvas(SysColorBrushValue(COLOR_WINDOW));
    Open(canvas);
    const auto tableColour = [](unsigned index) { return RGB(static_cast<BYTE>(index * 7), static_cast<BYTE>(255 - index), static_cast<BYTE>(index)); };
    struct Case {
        WORD bitCount;
        DWORD coloursUsed;
        std::uint32_t values[3];
        COLORREF expected[3];
    };
    // The depths themselves are the row decoder's; here, that the screen
    // uses it, with rows bottom-up and padded.
    const Case cases[] = {
        {4, 0, {15, 3, 9}, {tableColour(15), tableColour(3), tableColour(9)}},
        {8, 4, {3, 4, 250}, {tableColour(3), RGB(0, 0, 0), RGB(0, 0, 0)}},  // past the used colours: black
        {16, 0, {0x7C00, 0x03E0, 0x4210}, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(131, 131, 131)}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.bitCount);
        // 5 x 3 pixels: odd width exercises row padding; values go on the
        // diagonal so that a flipped or shifted picture shows.
        Dib dib = MakeDib(5, 3, test.bitCount, test.coloursUsed);
        for (int y = 0; y < 3; ++y) Put(dib, y + 1, y, test.values[y]);
        CClientDC dc(&canvas);
        dc.FillSolidRect(CRect(0, 0, 200, 120), kBlue);
        ASSERT_EQ(StretchDIBits(dc.GetSafeHdc(), 20, 30, 5, 3, 0, 0, 5, 3, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY), 3);
        for (int y = 0; y < 3; ++y) EXPECT_EQ(dc.GetPixel(20 + y + 1, 30 + y), test.expected[y]) << "row " << y;
        EXPECT_EQ(dc.GetPixel(19, 30), kBlue);
        EXPECT_EQ(dc.GetPixel(25, 30), kBlue);
        EXPECT_EQ(dc.GetPixel(20, 33), kBlue);
    }
}

TEST_F(CanvasTest, StretchDIBitsTakesSourceRowsFromTheBottomAndRefusesWhatItCannotDraw) {
    CanvasWnd canvas(SysColorBrushValue(COLOR_WINDOW));
    Open(canvas);
    Dib dib = MakeDib(4, 4, 8);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) Put(dib, x, y, static_cast<std::uint32_t>(10 * y + x));
    CClientDC dc(&canvas);
    // Source (1, 0) 2 x 2 is the bottom-left part: picture rows 2 and 3.
    ASSERT_EQ(dc.StretchDIBits(0, 0, 4, 4, 1, 0, 2, 2, dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY), 2);
    const auto colourOf = [&](unsigned index) { return RGB(static_cast<BYTE>(index * 7), static_cast<BYTE>(255 - index), static_cast<BYTE>(index)); };
    EXPECT_EQ(dc.GetPixel(0, 0), colourOf(21));
    EXPECT_EQ(dc.GetPixel(1, 1), colourOf(21));  // doubled
    EXPECT_EQ(dc.GetPixel(3, 3), colourOf(32));

    dc.FillSolidRect(CRect(0, 0, 200, 120), kBlue);
    const auto refused = [&](const BITMAPINFO& info, int srcX, int srcY, int width, int height) {
        return dc.StretchDIBits(0, 0, width, height, srcX, srcY, width, height, dib.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY) == 0;
    };
    BITMAPINFO info = dib.info;
    EXPECT_TRUE(refused(info, 3, 0, 2, 2));  // outside the picture
    EXPECT_TRUE(refused(info, 0, -1, 2, 2));
    info.bmiHeader.biCompression = 1;
    EXPECT_TRUE(refused(info, 0, 0, 2, 2));
    info = dib.info;
    info.bmiHeader.biBitCount = 2;
    EXPECT_TRUE(refused(info, 0, 0, 2, 2));
    info = dib.info;
    info.bmiHeader.biWidth = -4;
    EXPECT_TRUE(refused(info, 0, 0, 2, 2));
    EXPECT_EQ(dc.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(dc.GetPixel(0, 0), kBlue);
}

}  // namespace
