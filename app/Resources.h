// The program's resources: menu and accelerators 128, the strings, the
// dialog templates 100, 148 and 149, and icon 147.
#pragma once

#include "platform/ui/WinDefs.h"

inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_GAMEICON = 147;
inline constexpr UINT IDD_ABOUTBOX = 100;

// The caption the player sees: " шарики", with its leading blank.
inline constexpr char kMainCaption[] = " \xF8\xE0\xF0\xE8\xEA\xE8";

// Begins drawing the icon on a thread of its own, to be ready when the frame
// needs it.  Called before the application starts Qt: Qt's AVX routines
// leave the vector registers' upper halves in use, and a thread begun after
// them draws the icon's doubles several times slower.
void StartDrawingGameIcon();
// Puts every resource into the window layer's registry.
void RegisterGameResources();
