#include "tools/bmp/BmpInspection.h"

#include <cerrno>
#include <cstring>

#include "platform/core/File.h"

std::optional<BmpInspection> InspectBmpFile(const std::string& path, std::string& error) {
    CFile file;
    CFileException failure;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &failure)) {
        error = std::strerror(failure.m_lOsError != 0 ? failure.m_lOsError : ENOENT);
        return std::nullopt;
    }
    try {
        BmpInspection inspection;
        inspection.fileSize = file.GetLength();
        inspection.loaded = ReadBmpImage(file, &inspection.report).has_value();
        if (inspection.report.osError == 0) return inspection;
        error = std::strerror(inspection.report.osError);
        return std::nullopt;
    } catch (const CFileException& exception) {
        error = std::strerror(exception.m_lOsError != 0 ? exception.m_lOsError : EIO);
        return std::nullopt;
    }
}

std::string HeaderSizeName(DWORD headerSize) {
    switch (headerSize) {
    case 12: return "OS/2 1.x";
    case 16:
    case 64: return "OS/2 2.x";
    case 40: return "Windows";
    case 52: return "V2";
    case 56: return "V3";
    case 108: return "V4";
    case 124: return "V5";
    default: return {};
    }
}
