// CDIB: a device-independent bitmap held in the layout of a BMP file, so the
// same memory can be read from a file, handed to a device and written back.
//
// Owns its header block (the 40-byte header and a 256-entry colour table,
// always the Windows form) and, when m_bOwnsBits is TRUE, its pixel rows.
// Pixel rows are stored bottom-up, each padded to a multiple of 4 bytes;
// every coordinate passed in counts x from the left and y from the top.
//
// Every operation that can fail returns FALSE and leaves the object holding
// the image it had before.  The algorithms of this class work from the
// non-virtual ImageWidth/ImageHeight/BytesPerRow, because sprites override
// the virtual getters to describe their position and animation cell.
//
// On a dense screen (PictureDensity() is 2) a picture read from a named file
// also reads its twin, the same scene drawn at twice the size, when the file
// beside it (HiResName) has one that fits.  Every rectangle copy into a
// picture with a twin is repeated on the twins at doubled coordinates, from
// the source's twin or from its own pixels doubled, so the twin always shows
// what the picture shows; Draw then draws the twin in the picture's place.
// Any other change of the pixels or colours drops the twin.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/core/DeviceContext.h"
#include "platform/core/Object.h"
#include "platform/core/Palette.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CArchive;
class CFile;

// The transparency argument of the rectangle copies: no index is transparent.
inline constexpr COLORREF kNoTransparentColour = 0xFFFFFFFFu;

class CDIB : public CObject {
public:
    DECLARE_SERIAL(CDIB)

    // A blank 16 x 16 8-bit picture, grey colour table, every pixel 0.
    CDIB();
    ~CDIB() override;
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // Stores the image as a BMP file in the archive's file, or reads one.
    void Serialize(CArchive& archive) override;

    // Reads the 8-bit picture registered as "DIB" resource `resourceId`.
    virtual BOOL Load(WORD resourceId);
    // Reads a BMP file from where `file` stands; on success the file stands
    // right after the image.
    virtual BOOL Load(CFile* file);
    // Reads the named BMP file; a null or empty name asks the user for one.
    virtual BOOL Load(const char* fileName);
    // Writes the image as a BMP file (40-byte header, 256 colour entries)
    // at the file's current position.
    virtual BOOL Save(CFile* file) const;
    // Writes the named file; a null or empty name asks the user for one.
    virtual BOOL Save(const char* fileName) const;

    // Draws the whole image 1:1 with its top-left corner at (x, y); returns
    // the number of scan lines drawn.
    virtual int Draw(HDC deviceContext, int x, int y) const;
    virtual int Draw(CDC* deviceContext, int x, int y) const;
    // Draws the part of the image (y from the top) with its top-left corner
    // at (x, y).
    int DrawPart(CDC* deviceContext, int x, int y, const CRect& part) const;

    virtual int GetWidth() const;
    virtual int GetBytesPerRow() const;
    virtual int GetHeight() const;

    // Re-expresses the image in the palette's colours (depths 4, 8, 24).
    virtual BOOL MapColorsToPalette(HPALETTE palette);
    virtual BOOL MapColorsToPalette(CPalette* palette);

    virtual void GetRect(CRect* result) const;

    // Rectangle copies of colour indices between 8-bit images.  The low byte
    // of clrTransparent names an index that is not copied;
    // kNoTransparentColour copies every pixel.  Rectangles are clipped to
    // both images; other depths and negative sizes copy nothing.
    virtual void CopyRectTo(CDIB* destination, int xd, int yd, int w, int h, int xs, int ys,
                            COLORREF clrTransparent) const;
    // Nearest-neighbour scaling of a ws x hs source rectangle to wd x hd.
    virtual void StretchRectTo(CDIB* destination, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                               COLORREF clrTransparent) const;
    // Exact 2x enlargement of a ws x hs source rectangle.
    virtual void DoubleRectTo(CDIB* destination, int xd, int yd, int xs, int ys, int ws, int hs,
                              COLORREF clrTransparent) const;

    // A blank 8-bit image; its colour table comes from the palette when one
    // is given, grey otherwise.
    BOOL Create(int width, int height, HPALETTE palette);
    BOOL Create(int width, int height, CPalette* palette);
    // No palette; makes Create(w, h) and Create(w, h, nullptr) unambiguous.
    BOOL Create(int width, int height, std::nullptr_t = nullptr);
    // Adopts a copy of a 40-byte header and its colour table, and the
    // caller's pixels.  With ownPixels TRUE the pixels must come from
    // malloc: the object frees them.
    BOOL Create(const BITMAPINFO* header, BYTE* pixels, BOOL ownPixels);
    // Adopts a packed image (header, colour table and pixels in one block);
    // the caller keeps the block alive while the object uses it.
    BOOL Create(BITMAPINFO* packedImage);

    // Copies the palette's colours into the colour table; pixels untouched.
    BOOL SetColorsFromPalette(CPalette* palette);

    BITMAPINFO* GetBitmapInfo() { return m_pBitmapInfo.get(); }
    const BITMAPINFO* GetBitmapInfo() const { return m_pBitmapInfo.get(); }
    RGBQUAD* GetColorTable() { return m_pBitmapInfo ? m_pBitmapInfo->bmiColors : nullptr; }
    const RGBQUAD* GetColorTable() const { return m_pBitmapInfo ? m_pBitmapInfo->bmiColors : nullptr; }
    BYTE* GetBits() { return m_pBits; }
    const BYTE* GetBits() const { return m_pBits; }

    int ImageWidth() const;
    int ImageHeight() const;
    int BytesPerRow() const;
    int GetColorCount() const;

    // The byte holding pixel (x, y) at 1, 4, 8, 16 and 24 bits; null outside
    // the image and at other depths.
    BYTE* GetPixelAddress(int x, int y);
    const BYTE* GetPixelAddress(int x, int y) const;

    // Colour-table entries in use: biClrUsed when set, else the depth's
    // maximum (2, 16, 256; none above 8 bits), clamped to that maximum.
    static int CountColorEntries(const BITMAPINFO* header);
    // FALSE for a 12-byte OS/2 core header.
    static BOOL IsWindowsHeader(const BITMAPINFOHEADER* header);

private:
    // Frees the pixels if owned, then takes the new ones.
    void ReplaceImage(std::unique_ptr<BITMAPINFO> header, BYTE* pixels, BOOL ownPixels);
    bool CopiesBetween(const CDIB* destination) const;
    int DrawPart(HDC deviceContext, int x, int y, const CRect& part) const;
    // Takes the twin of the named file when there is one that fits.
    void LoadTwin(const std::string& fileName);
    // Repeats a clipped copy into the destination's twin.
    void CopyToTwinOf(CDIB* destination, int xd, int yd, int w, int h, int xs, int ys, COLORREF clrTransparent) const;

    std::unique_ptr<BITMAPINFO> m_pBitmapInfo;
    BYTE* m_pBits = nullptr;
    BOOL m_bOwnsBits = TRUE;
    std::unique_ptr<CDIB> m_pTwin;
};
