// The program's resources: menu and accelerators 128, the strings, the
// dialog templates 100, 148 and 149, icon 147 and the version record.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/WinDefs.h"

inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_GAMEICON = 147;
inline constexpr UINT IDD_ABOUTBOX = 100;

// The caption the player sees: " шарики", with its leading blank.
inline constexpr char kMainCaption[] = " \xF8\xE0\xF0\xE8\xEA\xE8";

// The version record: file and product version, and its strings in order.
struct VersionRecord {
    WORD fileVersion[4] = {};
    WORD productVersion[4] = {};
    std::vector<std::pair<std::string, std::string>> strings;  // "FileDescription", ...
    WORD language = 0x0409;
    WORD codePage = 0x04B0;
};
VersionRecord GameVersionRecord();

// Begins drawing the icon on a thread of its own, to be ready when the frame
// needs it.  Called before the application starts Qt: Qt's AVX routines
// leave the vector registers' upper halves in use, and a thread begun after
// them draws the icon's doubles several times slower.
void StartDrawingGameIcon();
// Puts every resource into the window layer's registry.
void RegisterGameResources();
