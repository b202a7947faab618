#include "gfx/DIB.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "gfx/BmpIo.h"
#include "gfx/BmpReader.h"
#include "gfx/HiResName.h"
#include "platform/core/Archive.h"
#include "platform/core/Dialogs.h"
#include "platform/core/File.h"
#include "platform/core/Resources.h"
#include "platform/core/Trace.h"

IMPLEMENT_SERIAL(CDIB, CObject, 0)

namespace {

constexpr const char* kFileFilter = "Image files (*.DIB, *.BMP)|*.DIB;*.BMP|All files (*.*)|*.*||";
// Where a saved file's pixels start: file header, info header, 256 entries.
constexpr DWORD kSavedPixelOffset = kFileHeaderSize + kHeaderBlockSize;  // 1078
constexpr int kDefaultSize = 16;

// A core header laid over the block shares its bytes with the Windows
// fields: bcBitCount (offset 10) is the high half of biHeight.
WORD CoreBitCount(const BITMAPINFOHEADER& header) {
    return static_cast<WORD>(static_cast<DWORD>(header.biHeight) >> 16);
}

int MaxColoursForDepth(WORD bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// The palette's entries, or nothing when its count cannot be had.
std::optional<std::vector<PALETTEENTRY>> PaletteEntries(const CPalette& palette) {
    const int count = palette.GetEntryCount();
    if (count < 0 || count > kMaxColours) return std::nullopt;
    std::vector<PALETTEENTRY> entries(static_cast<std::size_t>(count));
    palette.GetPaletteEntries(0, static_cast<UINT>(count), entries.data());
    return entries;
}

// A twin is the picture at exactly twice the size, of the same depth and
// colours, so that copies between twins mean what they mean between the
// pictures.
bool IsTwinOf(const CDIB& twin, const CDIB& picture) {
    const BITMAPINFOHEADER& twinInfo = twin.GetBitmapInfo()->bmiHeader;
    const BITMAPINFOHEADER& info = picture.GetBitmapInfo()->bmiHeader;
    if (twinInfo.biBitCount != info.biBitCount || twin.GetColorCount() != picture.GetColorCount()) return false;
    if (std::int64_t{twin.ImageWidth()} != 2 * std::int64_t{picture.ImageWidth()}) return false;
    if (std::int64_t{twin.ImageHeight()} != 2 * std::int64_t{picture.ImageHeight()}) return false;
    const auto sameColour = [](const RGBQUAD& one, const RGBQUAD& other) {
        return one.rgbRed == other.rgbRed && one.rgbGreen == other.rgbGreen && one.rgbBlue == other.rgbBlue;
    };
    return std::equal(picture.GetColorTable(), picture.GetColorTable() + picture.GetColorCount(), twin.GetColorTable(),
                      sameColour);
}

std::string ChooseFileName(const char* fileName, FileDialogMode mode, UINT flags) {
    if (fileName != nullptr && *fileName != '\0') return fileName;
    return AskFileName(FileDialogRequest{mode, flags, kFileFilter}).value_or(std::string());
}

}  // namespace

CDIB::CDIB() { Create(kDefaultSize, kDefaultSize, static_cast<CPalette*>(nullptr)); }

CDIB::~CDIB() {
    if (m_bOwnsBits && m_pBits != nullptr) std::free(m_pBits);
}

void CDIB::ReplaceImage(std::unique_ptr<BITMAPINFO> header, BYTE* pixels, BOOL ownPixels) {
    if (m_bOwnsBits && m_pBits != nullptr && m_pBits != pixels) std::free(m_pBits);
    m_pBitmapInfo = std::move(header);
    m_pBits = pixels;
    m_bOwnsBits = ownPixels;
    m_pTwin.reset();
}

// --- blank images and adoption ---

BOOL CDIB::Create(int width, int height, HPALETTE palette) {
    // The image is built aside: a failure leaves the current one in place.
    const std::uint64_t pixelBytes = RowBytes(width, 8) * static_cast<std::uint64_t>(std::max(height, 0));
    if (width < 1 || height < 1 || pixelBytes > kMaxPixelBytes) {
        Trace("Invalid DIB size");
        return FALSE;
    }
    auto header = NewHeaderBlock();
    if (!header) {
        Trace("Out of memory for DIB header");
        return FALSE;
    }
    PixelBuffer pixels(static_cast<BYTE*>(std::calloc(static_cast<std::size_t>(pixelBytes), 1)));
    if (!pixels) {
        Trace("Out of memory for DIB bits");
        return FALSE;
    }
    BITMAPINFOHEADER& info = header->bmiHeader;
    info.biSize = kInfoHeaderSize;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 8;
    for (int index = 0; index < kMaxColours; ++index) {
        const auto grey = static_cast<BYTE>(index);
        header->bmiColors[index] = RGBQUAD{grey, grey, grey, 0};
    }
    if (palette != nullptr) {
        const auto entries = PaletteEntries(*CPalette::FromHandle(palette));
        if (!entries) {
            Trace("Failed to get num palette colors");
            return FALSE;
        }
        for (std::size_t index = 0; index < entries->size(); ++index) {
            const PALETTEENTRY& entry = (*entries)[index];
            header->bmiColors[index] = RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0};
        }
        info.biClrUsed = static_cast<DWORD>(entries->size());
    }
    ReplaceImage(std::move(header), pixels.release(), TRUE);
    return TRUE;
}

BOOL CDIB::Create(int width, int height, CPalette* palette) {
    return Create(width, height, palette != nullptr ? palette->GetSafeHandle() : nullptr);
}

BOOL CDIB::Create(int width, int height, std::nullptr_t) {
    return Create(width, height, static_cast<HPALETTE>(nullptr));
}

BOOL CDIB::Create(const BITMAPINFO* header, BYTE* pixels, BOOL ownPixels) {
    if (header == nullptr || pixels == nullptr) return FALSE;
    const int colours = CountColorEntries(header);
    // More entries than the block holds cannot be copied.
    if (colours > kMaxColours) return FALSE;
    auto block = NewHeaderBlock();
    if (!block) return FALSE;
    block->bmiHeader = header->bmiHeader;
    std::copy_n(header->bmiColors, colours, block->bmiColors);
    ReplaceImage(std::move(block), pixels, ownPixels);
    return TRUE;
}

BOOL CDIB::Create(BITMAPINFO* packedImage) {
    if (packedImage == nullptr) return FALSE;
    const int colours = CountColorEntries(packedImage);
    if (colours > kMaxColours) return FALSE;
    BYTE* pixels = reinterpret_cast<BYTE*>(packedImage) + kInfoHeaderSize +
                   static_cast<std::size_t>(colours) * sizeof(RGBQUAD);
    return Create(packedImage, pixels, FALSE);
}

// --- sizes and colours ---

int CDIB::ImageWidth() const { return m_pBitmapInfo ? m_pBitmapInfo->bmiHeader.biWidth : 0; }

int CDIB::ImageHeight() const { return m_pBitmapInfo ? m_pBitmapInfo->bmiHeader.biHeight : 0; }

int CDIB::BytesPerRow() const {
    if (!m_pBitmapInfo) return 0;
    const BITMAPINFOHEADER& info = m_pBitmapInfo->bmiHeader;
    return static_cast<int>(std::min<std::uint64_t>(RowBytes(info.biWidth, info.biBitCount), INT_MAX));
}

int CDIB::GetWidth() const { return ImageWidth(); }
int CDIB::GetBytesPerRow() const { return BytesPerRow(); }
int CDIB::GetHeight() const { return ImageHeight(); }

int CDIB::GetColorCount() const { return CountColorEntries(m_pBitmapInfo.get()); }

int CDIB::CountColorEntries(const BITMAPINFO* header) {
    if (header == nullptr) return 0;
    const BITMAPINFOHEADER& info = header->bmiHeader;
    const bool windows = IsWindowsHeader(&info) != FALSE;
    const int maximum = MaxColoursForDepth(windows ? info.biBitCount : CoreBitCount(info));
    std::uint64_t count = static_cast<std::uint64_t>(maximum);
    if (windows && info.biClrUsed != 0) count = info.biClrUsed;
    if (maximum != 0 && count > static_cast<std::uint64_t>(maximum)) {
        Trace("Invalid color count");
        count = static_cast<std::uint64_t>(maximum);
    }
    return static_cast<int>(std::min<std::uint64_t>(count, INT_MAX));
}

BOOL CDIB::IsWindowsHeader(const BITMAPINFOHEADER* header) {
    if (header != nullptr && header->biSize == kCoreHeaderSize) return FALSE;
    return TRUE;
}

// --- pixels ---

const BYTE* CDIB::GetPixelAddress(int x, int y) const {
    if (x < 0 || y < 0 || x >= ImageWidth() || y >= ImageHeight() || m_pBits == nullptr) {
        Trace("Attempt to get out of range pixel addr");
        return nullptr;
    }
    const BYTE* row = m_pBits +
                      static_cast<std::size_t>(ImageHeight() - y - 1) * static_cast<std::size_t>(BytesPerRow());
    const auto column = static_cast<std::size_t>(x);
    switch (m_pBitmapInfo->bmiHeader.biBitCount) {
    case 1: return row + column / 8;
    case 4: return row + column / 2;
    case 8: return row + column;
    case 16: return row + 2 * column;
    case 24: return row + 3 * column;
    default: Trace("Unsupported format"); return nullptr;
    }
}

BYTE* CDIB::GetPixelAddress(int x, int y) { return const_cast<BYTE*>(std::as_const(*this).GetPixelAddress(x, y)); }

void CDIB::GetRect(CRect* result) const {
    if (result != nullptr) *result = CRect(0, 0, ImageWidth(), ImageHeight());
}

// --- drawing ---

int CDIB::Draw(HDC deviceContext, int x, int y) const {
    return DrawPart(deviceContext, x, y, CRect(0, 0, ImageWidth(), ImageHeight()));
}

int CDIB::DrawPart(HDC deviceContext, int x, int y, const CRect& part) const {
    const int width = part.Width();
    const int height = part.Height();
    // The source's y counts from the bottom row, as the rows are stored.
    const int sourceY = ImageHeight() - part.bottom;
    if (m_pTwin) {
        // The same logical place, filled from twice as many pixels.
        return StretchDIBits(deviceContext, x, y, width, height, 2 * part.left, 2 * sourceY, 2 * width, 2 * height,
                             m_pTwin->m_pBits, m_pTwin->m_pBitmapInfo.get(), DIB_RGB_COLORS, SRCCOPY);
    }
    return StretchDIBits(deviceContext, x, y, width, height, part.left, sourceY, width, height, m_pBits,
                         m_pBitmapInfo.get(), DIB_RGB_COLORS, SRCCOPY);
}

int CDIB::DrawPart(CDC* deviceContext, int x, int y, const CRect& part) const {
    return DrawPart(deviceContext != nullptr ? deviceContext->GetSafeHdc() : nullptr, x, y, part);
}

int CDIB::Draw(CDC* deviceContext, int x, int y) const {
    return Draw(deviceContext != nullptr ? deviceContext->GetSafeHdc() : nullptr, x, y);
}

// --- palettes ---

BOOL CDIB::MapColorsToPalette(HPALETTE palette) { return CDIB::MapColorsToPalette(CPalette::FromHandle(palette)); }

BOOL CDIB::MapColorsToPalette(CPalette* palette) {
    if (palette == nullptr) {
        Trace("No palette to map to");
        return FALSE;
    }
    const auto entries = PaletteEntries(*palette);
    if (!entries || entries->empty()) {
        Trace("Failed to get num pal colors");
        return FALSE;
    }
    if (!m_pBitmapInfo || m_pBits == nullptr) return FALSE;
    const WORD bitCount = m_pBitmapInfo->bmiHeader.biBitCount;
    if (bitCount != 4 && bitCount != 8 && bitCount != 24) return FALSE;
    // A 4-bit pixel cannot hold a larger index.
    if (bitCount == 4 && entries->size() > 16) return FALSE;

    auto nearest = [palette](BYTE red, BYTE green, BYTE blue) {
        return static_cast<BYTE>(palette->GetNearestPaletteIndex(RGB(red, green, blue)));
    };
    std::array<BYTE, kMaxColours> indexMap{};
    for (std::size_t index = 0; index < indexMap.size(); ++index) {
        const RGBQUAD& colour = m_pBitmapInfo->bmiColors[index];
        indexMap[index] = nearest(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
    }
    const std::size_t bufferBytes = static_cast<std::size_t>(BytesPerRow()) * static_cast<std::size_t>(ImageHeight());
    if (bitCount == 4) {
        for (BYTE* byte = m_pBits; byte != m_pBits + bufferBytes; ++byte) {
            *byte = static_cast<BYTE>((indexMap[*byte >> 4] << 4) | indexMap[*byte & 15]);
        }
    } else if (bitCount == 8) {
        for (BYTE* byte = m_pBits; byte != m_pBits + bufferBytes; ++byte) *byte = indexMap[*byte];
    } else {
        for (int y = 0; y < ImageHeight(); ++y) {
            BYTE* pixel = GetPixelAddress(0, y);
            for (int x = 0; x < ImageWidth(); ++x) {
                const PALETTEENTRY& entry = (*entries)[nearest(pixel[2], pixel[1], pixel[0])];
                pixel[0] = entry.peBlue;
                pixel[1] = entry.peGreen;
                pixel[2] = entry.peRed;
                pixel += 3;
            }
        }
    }
    m_pTwin.reset();
    std::fill(std::begin(m_pBitmapInfo->bmiColors), std::end(m_pBitmapInfo->bmiColors), RGBQUAD{});
    for (std::size_t index = 0; index < entries->size(); ++index) {
        const PALETTEENTRY& entry = (*entries)[index];
        m_pBitmapInfo->bmiColors[index] = RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0};
    }
    m_pBitmapInfo->bmiHeader.biClrUsed = static_cast<DWORD>(entries->size());
    return TRUE;
}

BOOL CDIB::SetColorsFromPalette(CPalette* palette) {
    if (palette == nullptr) return FALSE;
    const auto entries = PaletteEntries(*palette);
    if (!entries) {
        Trace("Failed to get num pal colors");
        return FALSE;
    }
    if (!m_pBitmapInfo) return FALSE;
    m_pTwin.reset();
    for (std::size_t index = 0; index < entries->size(); ++index) {
        const PALETTEENTRY& entry = (*entries)[index];
        RGBQUAD& colour = m_pBitmapInfo->bmiColors[index];
        colour.rgbRed = entry.peRed;
        colour.rgbGreen = entry.peGreen;
        colour.rgbBlue = entry.peBlue;
    }
    m_pBitmapInfo->bmiHeader.biClrUsed = static_cast<DWORD>(entries->size());
    return TRUE;
}

// --- reading ---

BOOL CDIB::Load(CFile* file) {
    if (file == nullptr) return FALSE;
    std::optional<BmpImage> image = ReadBmpImage(*file);
    if (!image) return FALSE;
    ReplaceImage(std::move(image->header), image->pixels.release(), TRUE);
    return TRUE;
}

BOOL CDIB::Load(const char* fileName) {
    const std::string path = ChooseFileName(fileName, FileDialogMode::open, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    if (path.empty()) return FALSE;
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    const BOOL loaded = Load(&file);
    file.Close();
    if (loaded && PictureDensity() > 1) LoadTwin(path);
    return loaded;
}

void CDIB::LoadTwin(const std::string& fileName) {
    auto twin = std::make_unique<CDIB>();
    CFile file;
    if (!file.Open(HiResName(fileName).c_str(), CFile::modeRead | CFile::shareDenyWrite)) return;
    const BOOL loaded = twin->CDIB::Load(&file);
    file.Close();
    if (!loaded || !IsTwinOf(*twin, *this)) {
        Trace("Twin picture does not fit");
        return;
    }
    m_pTwin = std::move(twin);
}

BOOL CDIB::Load(WORD resourceId) {
    const std::optional<std::span<const BYTE>> resource = FindDibResource(resourceId);
    if (!resource) {
        Trace("DIB resource not found");
        return FALSE;
    }
    const std::span<const BYTE> bytes = *resource;
    constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
    if (bytes.size() < kHeadersSize) {
        Trace("DIB resource too short");
        return FALSE;
    }
    BITMAPFILEHEADER fileHeader;
    ReadFileHeader(bytes.first<kFileHeaderSize>(), fileHeader);
    auto header = NewHeaderBlock();
    if (!header) return FALSE;
    ReadInfoHeader(bytes.subspan<kFileHeaderSize, kInfoHeaderSize>(), header->bmiHeader);
    const BITMAPINFOHEADER& info = header->bmiHeader;
    // Resource pixels are taken as one byte each.
    const char* reason = info.biBitCount != 8 ? "DIB resource is not 8 bits per pixel" : RejectHeader(info);
    if (reason != nullptr) {
        Trace(reason);
        return FALSE;
    }
    const auto tableBytes = static_cast<std::size_t>(CountColorEntries(header.get())) * sizeof(RGBQUAD);
    const std::uint64_t pixelBytes = RowBytes(info.biWidth, 8) * static_cast<std::uint64_t>(info.biHeight);
    if (kHeadersSize + tableBytes > bytes.size() || std::uint64_t{fileHeader.bfOffBits} + pixelBytes > bytes.size()) {
        Trace("DIB resource too short");
        return FALSE;
    }
    std::memcpy(header->bmiColors, bytes.data() + kHeadersSize, tableBytes);
    PixelBuffer pixels(static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(pixelBytes))));
    if (!pixels) {
        Trace("Out of memory for DIB bits");
        return FALSE;
    }
    std::memcpy(pixels.get(), bytes.data() + fileHeader.bfOffBits, static_cast<std::size_t>(pixelBytes));
    ReplaceImage(std::move(header), pixels.release(), TRUE);
    return TRUE;
}

// --- writing ---

BOOL CDIB::Save(CFile* file) const {
    if (file == nullptr || !m_pBitmapInfo || m_pBits == nullptr) return FALSE;
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(BytesPerRow()) *
                                     static_cast<std::uint64_t>(std::max(ImageHeight(), 0));
    if (pixelBytes > kMaxPixelBytes) {
        Trace("DIB too large to save");
        return FALSE;
    }
    BITMAPFILEHEADER fileHeader;
    fileHeader.bfType = BMP_MAGIC;
    fileHeader.bfSize = static_cast<DWORD>(kSavedPixelOffset + pixelBytes);
    fileHeader.bfOffBits = kSavedPixelOffset;
    std::array<BYTE, kFileHeaderSize> fileHeaderBytes{};
    WriteFileHeader(fileHeader, fileHeaderBytes);
    std::array<BYTE, kHeaderBlockSize> blockBytes{};
    WriteHeaderBlock(*m_pBitmapInfo, blockBytes);

    // Each part is guarded on its own, so the trace names the one that failed.
    try {
        file->Write(fileHeaderBytes.data(), static_cast<UINT>(fileHeaderBytes.size()));
    } catch (const CFileException&) {
        Trace("Failed to write file header");
        return FALSE;
    }
    try {
        file->Write(blockBytes.data(), static_cast<UINT>(blockBytes.size()));
    } catch (const CFileException&) {
        Trace("Failed to write BITMAPINFO");
        return FALSE;
    }
    try {
        file->Write(m_pBits, static_cast<UINT>(pixelBytes));
    } catch (const CFileException&) {
        Trace("Failed to write bits");
        return FALSE;
    }
    return TRUE;
}

BOOL CDIB::Save(const char* fileName) const {
    const std::string path = ChooseFileName(fileName, FileDialogMode::save, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    if (path.empty()) return FALSE;
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive)) {
        AfxMessageBox("Failed to open file", MB_OK);
        return FALSE;
    }
    const BOOL saved = Save(&file);
    file.Close();
    if (!saved) AfxMessageBox("Failed to save file", MB_OK);
    return saved;
}

void CDIB::Serialize(CArchive& archive) {
    // The image goes straight to the archive's file, which stands at the
    // archive's position.  A picture that fails leaves the stream where
    // nothing after it can be found: the archive is marked bad, so that the
    // caller learns of it.
    CFile* file = archive.GetFile();
    BOOL done = FALSE;
    if (file != nullptr && archive.IsStoring()) {
        done = Save(file);
    } else if (file != nullptr) {
        done = Load(file);
    }
    if (!done) archive.MarkBad();
}
