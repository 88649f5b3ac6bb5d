// The window's handles, the main window's and one per control of the catalogue (ui/controls.h),
// defined in ui/catalogues.cpp. Each is null until its window is made.
#pragma once

#include <windows.h>

extern HWND mainWindow;

extern HWND cornerCombo;
extern HWND orderButton;
extern HWND framerateCheck;
extern HWND clockCombo;
extern HWND textureMassCheck;
extern HWND memoryCombo;
extern HWND palettedCheck;
extern HWND sharedPaletteCheck;
extern HWND packedPixelsCheck;
extern HWND directXVideosCheck;
extern HWND textureVideosCheck;
extern HWND fixedGammaCheck;
extern HWND refreshCombo;
extern HWND windowedCheck;
extern HWND centredCheck;
extern HWND captureMouseCheck;
extern HWND windowExtrasCheck;
extern HWND desktopResCheck;
extern HWND fsaaCombo;
extern HWND languageButton;
extern HWND saveButton;
extern HWND quitButton;
