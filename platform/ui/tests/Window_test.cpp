// What the window layer adds to what the game's own windows are tested for:
// texts in the one code page, and pictures of every depth put on a window's
// surface.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/core/Cp1251.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApi.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace {

TEST(Codepage, WindowAndDriverAgreeOnEveryByteBothWays) {
    for (int value = 0; value < 256; ++value) {
        const std::string byte(1, static_cast<char>(value));
        const QString shown = ui_detail::FromWindows1251(byte);
        const std::string printed = Cp1251ToUtf8(byte);
        ASSERT_EQ(shown, QString::fromUtf8(printed.data(), static_cast<qsizetype>(printed.size()))) << value;
        // 0x98 has no character: it reads as U+FFFD and goes back as '?'.
        const std::string back = value == 0x98 ? "?" : byte;
        EXPECT_EQ(ui_detail::ToWindows1251(shown), back) << value;
        EXPECT_EQ(Utf8ToCp1251(printed), back) << value;
    }
}

// A picture in memory: rows bottom-up, each padded to four bytes.
struct Dib {
    Dib(int width, int height, WORD bitCount, DWORD coloursUsed = 0) {
        info.bmiHeader = {40, width, height, 1, bitCount, 0, 0, 0, 0, coloursUsed, 0};
        for (int index = 0; index < 256; ++index)
            info.bmiColors[index] =
                RGBQUAD{static_cast<BYTE>(index), static_cast<BYTE>(255 - index), static_cast<BYTE>(index * 7), 0};
        bits.assign(Stride() * static_cast<std::size_t>(height), 0);
    }
    std::size_t Stride() const {
        return (static_cast<std::size_t>(info.bmiHeader.biWidth) * info.bmiHeader.biBitCount + 31) / 32 * 4;
    }
    // Puts an index (or the packed bytes of a deeper pixel) at (x, y) from the top.
    void Put(int x, int y, std::uint32_t value) {
        BYTE* row = bits.data() + Stride() * static_cast<std::size_t>(info.bmiHeader.biHeight - 1 - y);
        const auto column = static_cast<std::size_t>(x);
        switch (info.bmiHeader.biBitCount) {
        case 4: row[column / 2] = static_cast<BYTE>(row[column / 2] | (value << (column % 2 == 0 ? 4 : 0))); break;
        case 8: row[column] = static_cast<BYTE>(value); break;
        default: std::memcpy(row + column * info.bmiHeader.biBitCount / 8, &value, info.bmiHeader.biBitCount / 8u);
        }
    }
    int Draw(CWndDC& dc, int x, int y, int srcX = 0, int srcY = 0, int width = -1, int height = -1) {
        width = width < 0 ? info.bmiHeader.biWidth : width;
        height = height < 0 ? info.bmiHeader.biHeight : height;
        return dc.StretchDIBits(x, y, width, height, srcX, srcY, width, height, bits.data(), &info, DIB_RGB_COLORS,
                                SRCCOPY);
    }
    BITMAPINFO info{};
    std::vector<BYTE> bits;
};

COLORREF TableColour(unsigned index) {
    return RGB(static_cast<BYTE>(index * 7), static_cast<BYTE>(255 - index), static_cast<BYTE>(index));
}
QRgb Qt(COLORREF colour) { return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// A 200 x 120 child window, blue all over, in a frame of its own.
class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pHost = new CFrameWnd;
        ASSERT_TRUE(m_pHost->LoadFrame(0, WS_SYSMENU, nullptr, nullptr));
        ASSERT_TRUE(m_canvas.Create(AfxRegisterWndClass(0, nullptr, SysColorBrushValue(COLOR_WINDOW)), nullptr,
                                    WS_VISIBLE, CRect(0, 0, 200, 120), m_pHost, 1));
        m_pHost->ShowWindow(SW_SHOW);
        ASSERT_TRUE(WaitUntilShown(m_canvas));
        m_canvas.UpdateWindow();
        Dib blue(1, 1, 24);
        blue.Put(0, 0, 0x0000FF);
        CClientDC dc(&m_canvas);
        ASSERT_EQ(dc.StretchDIBits(0, 0, 200, 120, 0, 0, 1, 1, blue.bits.data(), &blue.info, DIB_RGB_COLORS, SRCCOPY),
                  1);
    }
    void TearDown() override {
        m_pHost->DestroyWindow();
        FlushDeletes();
    }

    CFrameWnd* m_pHost = nullptr;  // deletes itself
    CWnd m_canvas;
};

TEST_F(CanvasTest, PicturesOfEveryDepthAreDrawnBottomUpAndBadOnesRefused) {
    struct Case {
        WORD bitCount;
        DWORD coloursUsed;
        std::uint32_t values[3];
        COLORREF expected[3];
    };
    const Case cases[] = {
        {4, 0, {15, 3, 9}, {TableColour(15), TableColour(3), TableColour(9)}},
        {8, 4, {3, 4, 250}, {TableColour(3), RGB(0, 0, 0), RGB(0, 0, 0)}},  // past the used colours: black
        {16, 0, {0x7C00, 0x03E0, 0x4210}, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(131, 131, 131)}},
        {24, 0, {0xFF0000, 0x00FF00, 0x123456}, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0x12, 0x34, 0x56)}},
    };
    for (int index = 0; index < 4; ++index) {
        const Case& test = cases[index];
        // 5 x 3 pixels: an odd width needs row padding; the values go on
        // the diagonal, so that a flipped or shifted picture shows.
        Dib dib(5, 3, test.bitCount, test.coloursUsed);
        for (int y = 0; y < 3; ++y) dib.Put(y + 1, y, test.values[y]);
        CClientDC dc(&m_canvas);
        EXPECT_EQ(dib.Draw(dc, 10 + 10 * index, 30), 3);
    }
    Dib rows(4, 4, 8);
    for (int y = 0; y < 4; ++y) rows.Put(0, y, static_cast<std::uint32_t>(y));
    {
        CClientDC dc(&m_canvas);
        EXPECT_EQ(rows.Draw(dc, 60, 30, 0, 0, 1, 2), 2);  // source y counts from the bottom: rows 2 and 3
        for (const auto& [srcX, srcY] : {std::pair{3, 0}, std::pair{0, -1}})
            EXPECT_EQ(rows.Draw(dc, 70, 30, srcX, srcY, 2, 2), 0);
        rows.info.bmiHeader.biCompression = 1;
        EXPECT_EQ(rows.Draw(dc, 70, 30), 0);
        rows.info.bmiHeader.biCompression = 0;
        rows.info.bmiHeader.biBitCount = 2;
        EXPECT_EQ(rows.Draw(dc, 70, 30), 0);
    }
    const QImage screen = GrabClient(m_canvas);
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(cases[index].bitCount);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(screen.pixel(10 + 10 * index + y + 1, 30 + y), Qt(cases[index].expected[y]));
        const COLORREF zero = cases[index].bitCount <= 8 ? TableColour(0) : RGB(0, 0, 0);
        EXPECT_EQ(screen.pixel(10 + 10 * index, 30), Qt(zero));
        EXPECT_EQ(screen.pixel(10 + 10 * index, 33), qRgb(0, 0, 255));
    }
    EXPECT_EQ(screen.pixel(60, 30), Qt(TableColour(2)));
    EXPECT_EQ(screen.pixel(60, 31), Qt(TableColour(3)));
    EXPECT_TRUE(IsFilledWith(screen, QRect(70, 30, 10, 10), qRgb(0, 0, 255)));
}

}  // namespace
