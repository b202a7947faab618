#include "app/tests/XServerSupport.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

std::string MissingXTools() {
    for (const char* tool : {"Xvfb", "xdotool", "xwd"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            return std::string(tool) + " is not installed (scripts/test.sh installs xvfb, xdotool and x11-apps)";
        }
    }
    return {};
}

XServer::XServer() {
    // Xvfb picks a free display itself and writes its number to stdout, so
    // that tests running side by side never race for one.
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp"});
    if (!m_server.waitForStarted(5000)) return;
    QElapsedTimer timer;
    timer.start();
    QByteArray output;
    while (!output.contains('\n') && timer.elapsed() < 10000 && m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(100);
        output += m_server.readAllStandardOutput();
    }
    bool valid = false;
    const int display = output.trimmed().toInt(&valid);
    if (valid) m_display = display;
}

XServer::~XServer() {
    if (m_server.state() == QProcess::NotRunning) return;
    m_server.terminate();
    if (!m_server.waitForFinished(3000)) {
        m_server.kill();
        m_server.waitForFinished(3000);
    }
}

std::optional<QByteArray> XServer::Tool(const QString& program, const QStringList& arguments,
                                        int timeoutMilliseconds) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", Display());
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMilliseconds)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
    return process.readAllStandardOutput();
}

unsigned long FindWindow(const XServer& server, const QString& name, int timeoutMilliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMilliseconds) {
        const auto found = server.Tool("xdotool", {"search", "--onlyvisible", "--name", name}, 2000);
        if (found && !found->trimmed().isEmpty()) return found->split('\n').first().trimmed().toULong();
        QThread::msleep(20);
    }
    return 0;
}

std::optional<WindowGeometry> GeometryOf(const XServer& server, unsigned long window) {
    const auto shell = server.Tool("xdotool", {"getwindowgeometry", "--shell", QString::number(window)});
    if (!shell) return std::nullopt;
    WindowGeometry geometry;
    for (const QByteArray& line : shell->split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() != 2) continue;
        const int value = parts[1].trimmed().toInt();
        if (parts[0] == "X") geometry.x = value;
        if (parts[0] == "Y") geometry.y = value;
        if (parts[0] == "WIDTH") geometry.width = value;
        if (parts[0] == "HEIGHT") geometry.height = value;
    }
    return geometry;
}

QImage GrabXWindow(const XServer& server, unsigned long window) {
    const auto dump = server.Tool("xwd", {"-silent", "-id", QString::number(window)});
    return dump ? ImageFromXwd(*dump) : QImage();
}

namespace {

quint32 BigEndianWord(const QByteArray& bytes, int index) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData()) + index * 4;
    return (quint32{data[0]} << 24) | (quint32{data[1]} << 16) | (quint32{data[2]} << 8) | quint32{data[3]};
}

}  // namespace

QImage ImageFromXwd(const QByteArray& dump) {
    // The header is 25 big-endian words: size, version, format, depth,
    // width, height, x offset, byte order, unit, bit order, pad, bits per
    // pixel, bytes per line, visual class, red/green/blue masks, ...,
    // colour count (word 19).
    constexpr int kHeaderWords = 25;
    if (dump.size() < kHeaderWords * 4) return {};
    const quint32 headerSize = BigEndianWord(dump, 0);
    const quint32 width = BigEndianWord(dump, 4);
    const quint32 height = BigEndianWord(dump, 5);
    const quint32 byteOrder = BigEndianWord(dump, 7);
    const quint32 bitsPerPixel = BigEndianWord(dump, 11);
    const quint32 bytesPerLine = BigEndianWord(dump, 12);
    const quint32 redMask = BigEndianWord(dump, 14);
    const quint32 colours = BigEndianWord(dump, 19);
    if (bitsPerPixel != 32 || redMask != 0xFF0000 || width == 0 || height == 0 || width > 10000 || height > 10000) {
        return {};
    }
    const qint64 start = qint64{headerSize} + qint64{colours} * 12;
    if (start + qint64{bytesPerLine} * height > dump.size() || bytesPerLine < width * 4) return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(dump.constData() + start + qint64{y} * bytesPerLine);
        for (quint32 x = 0; x < width; ++x) {
            const unsigned char* pixel = row + x * 4;
            // Byte order 0: least significant byte first (blue, green, red, pad).
            const QRgb colour =
                byteOrder == 0 ? qRgb(pixel[2], pixel[1], pixel[0]) : qRgb(pixel[1], pixel[2], pixel[3]);
            image.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
        }
    }
    return image;
}
