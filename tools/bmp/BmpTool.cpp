#include "tools/bmp/BmpTool.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"
#include "platform/core/File.h"
#include "tools/bmp/BmpInspection.h"
#include "tools/bmp/FolderCheck.h"
#include "velmor/Version.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: velmor-bmp info FILE | check DIR | topnm FILE | resave IN OUT | --version\n"
    "  info FILE      header fields, colour count and whether the game reads the file\n"
    "  check DIR      whether DIR holds pictures the game can use (pole.bmp, 1..6.bmp, 1-d..6-d.bmp)\n"
    "                 and whether their twins at twice the size (NAME@2x.bmp), where there are any, match them\n"
    "  topnm FILE     write the picture to stdout as a binary PPM\n"
    "  resave IN OUT  read IN and write it again as a BMP file with a 40-byte header\n";

// The picture reader's own verdict; the file object's exceptions count as a
// refusal.
bool LoadPicture(CDIB& picture, const std::string& path) {
    try {
        return picture.Load(path.c_str()) != FALSE;
    } catch (const CFileException&) {
        return false;
    }
}

// Why a file was refused, in one line: the reader's reason, or why the
// file could not be read at all.
std::string RefusalLine(const std::string& path) {
    std::string readError;
    const auto inspection = InspectBmpFile(path, readError);
    if (!inspection) return path + ": cannot be read (" + readError + ")";
    const std::string reason = inspection->report.Reason();
    return path + ": refused (" + (reason.empty() ? "by the picture reader" : reason) + ")";
}

std::string HeaderLine(const BmpReport& report) {
    const std::string name = HeaderSizeName(report.headerSize);
    std::string line = std::to_string(report.headerSize) + " bytes";
    if (!name.empty()) line += " (" + name + ")";
    if (report.headerKind == BmpHeaderKind::other) line += ", not read";
    return line;
}

void PrintFields(const BmpReport& report, std::ostream& out) {
    if (!report.hasFileHeader) return;
    const BITMAPFILEHEADER& file = report.fileHeader;
    out << "magic: " << MagicText(file.bfType) << '\n'
        << "bfSize: " << file.bfSize << "\nbfOffBits: " << file.bfOffBits << '\n';
    if (report.headerKind == BmpHeaderKind::none) return;
    out << "header: " << HeaderLine(report) << '\n';
    if (!report.HasDimensions()) return;
    const BITMAPINFOHEADER& info = report.info;
    out << "width: " << info.biWidth << "\nheight: " << info.biHeight << "\nplanes: " << info.biPlanes
        << "\nbit count: " << info.biBitCount << '\n';
    if (report.headerKind == BmpHeaderKind::windows) {
        const std::string name = CompressionName(info.biCompression);
        out << "compression: " << info.biCompression << (name.empty() ? "" : " (" + name + ")") << '\n'
            << "image size: " << info.biSizeImage << '\n'
            << "pixels per metre: " << info.biXPelsPerMeter << " x " << info.biYPelsPerMeter << '\n'
            << "colours used: " << info.biClrUsed << "\ncolours important: " << info.biClrImportant << '\n';
    }
    out << "colour count: " << report.colourCount << '\n';
}

int Info(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string readError;
    const auto inspection = InspectBmpFile(path, readError);
    if (!inspection) {
        err << path << ": cannot be read (" << readError << ")\n";
        return kExitRefused;
    }
    const BmpReport& report = inspection->report;
    out << "file: " << path << "\nfile size: " << inspection->fileSize << " bytes\n";
    PrintFields(report, out);
    if (inspection->loaded) {
        out << "verdict: accept\n";
        if (!report.note.empty()) out << "note: " << report.note << '\n';
        return kExitOk;
    }
    const std::string reason = report.Reason();
    out << "verdict: reject\nreason: " << (reason.empty() ? "refused by the picture reader" : reason) << '\n';
    return kExitRefused;
}

int Check(const std::string& folder, std::ostream& out) {
    const std::vector<std::string> problems = CheckPictureFolder(folder);
    for (const std::string& problem : problems) out << problem << '\n';
    if (problems.empty()) {
        out << folder << ": usable picture folder\n";
        return kExitOk;
    }
    out << folder << ": not usable (" << problems.size() << (problems.size() == 1 ? " problem" : " problems") << ")\n";
    return kExitRefused;
}

int ToPnm(const std::string& path, std::ostream& out, std::ostream& err) {
    CDIB picture;
    if (!LoadPicture(picture, path)) {
        err << RefusalLine(path) << '\n';
        return kExitRefused;
    }
    const std::vector<BYTE> ppm = DibToPpm(picture);
    if (ppm.empty()) {
        err << path << ": too large to convert (" << picture.ImageWidth() << "x" << picture.ImageHeight()
            << " pixels)\n";
        return kExitRefused;
    }
    out.write(reinterpret_cast<const char*>(ppm.data()), static_cast<std::streamsize>(ppm.size()));
    out.flush();
    if (!out) {
        err << path << ": writing the picture failed\n";
        return kExitRefused;
    }
    return kExitOk;
}

int Resave(const std::string& input, const std::string& output, std::ostream& err) {
    CDIB picture;
    if (!LoadPicture(picture, input)) {
        err << RefusalLine(input) << '\n';
        return kExitRefused;
    }
    CFile file;
    CFileException failure;
    if (!file.Open(output.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &failure)) {
        err << output << ": cannot be created (" << std::strerror(failure.m_lOsError != 0 ? failure.m_lOsError : EIO)
            << ")\n";
        return kExitRefused;
    }
    bool saved = picture.Save(&file) != FALSE;
    try {
        file.Close();
    } catch (const CFileException&) {
        saved = false;
    }
    if (!saved) {
        // A half-written picture is no use to anyone; devices stay.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(output, ignored)) std::filesystem::remove(output, ignored);
        err << output << ": writing failed\n";
        return kExitRefused;
    }
    return kExitOk;
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "velmor-bmp: " << problem << '\n' << kUsage;
    return kExitUsage;
}

}  // namespace

int RunBmpTool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) return Usage(err, "no command given");
    const std::string& command = arguments[0];
    if (command == "-h" || command == "--help" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        out << "velmor-bmp " << velmor::kVersion << '\n';
        return kExitOk;
    }
    const auto operands = arguments.subspan(1);
    struct Command {
        const char* name;
        std::size_t operandCount;
        std::function<int()> run;
    };
    const Command commands[] = {
        {"info", 1, [&] { return Info(operands[0], out, err); }},
        {"check", 1, [&] { return Check(operands[0], out); }},
        {"topnm", 1, [&] { return ToPnm(operands[0], out, err); }},
        {"resave", 2, [&] { return Resave(operands[0], operands[1], err); }},
    };
    for (const Command& entry : commands) {
        if (command != entry.name) continue;
        if (operands.size() != entry.operandCount) {
            return Usage(err, command + " takes " + (entry.operandCount == 1 ? "one operand" : "two operands"));
        }
        for (const std::string& operand : operands) {
            if (operand.empty()) return Usage(err, "empty file name");
        }
        return entry.run();
    }
    return Usage(err, "unknown command '" + command + "'");
}
