// A private X server (Xvfb) for tests of the real window, and the X tools
// that drive it: xdotool for real input, xwd for pictures of windows.
#pragma once

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <optional>
#include <string>

// Why the real-window tests cannot run here, or empty when they can.
std::string MissingXTools();

class XServer {
public:
    XServer();  // starts Xvfb on a free display; Running() tells whether it came up
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Running() const { return m_display >= 0; }
    QString Display() const { return QStringLiteral(":%1").arg(m_display); }

    // Runs an X tool against this server; its standard output, or nothing
    // when it failed or took longer than the timeout.
    std::optional<QByteArray> Tool(const QString& program, const QStringList& arguments,
                                   int timeoutMilliseconds = 10000) const;

private:
    QProcess m_server;
    int m_display = -1;
};

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The first visible window whose name contains `name`; 0 when none shows
// within the timeout.
unsigned long FindWindow(const XServer& server, const QString& name, int timeoutMilliseconds = 10000);
std::optional<WindowGeometry> GeometryOf(const XServer& server, unsigned long window);
// What the window shows, read from the server (null on failure).
QImage GrabXWindow(const XServer& server, unsigned long window);
// An X window dump (xwd) of 24 or 32 bits per pixel as an image.
QImage ImageFromXwd(const QByteArray& dump);
