// Identifiers of the resources bound into Dorvane.exe. Plain definitions
// only: the resource compiler reads this file as well as C++ code.
#ifndef DORVANE_RESOURCE_H
#define DORVANE_RESOURCE_H

// The program icon (16, 32 and 48 pixels, 256 colours). Windows shows the
// icon group with the lowest number for the file, so it keeps number 1.
#define MAINICON 1
#define IDI_MAINICON MAINICON

// GIF pictures, stored as raw bytes (RT_RCDATA) for the GIF reader.
#define IDR_GIF_WALLPAPER 101    // 41 x 41 header picture of the Wallpapers panel
#define IDR_GIF_SETTINGS 102     // 41 x 41 header picture of the Settings panel
#define IDR_GIF_ENGINE 103       // 41 x 41 header picture of the engine panel
#define IDR_GIF_LOGO 104         // 60 x 25 animated engine logo, 29 frames
#define IDR_GIF_ABOUT_LOGO 105   // 270 x 50 product lettering of the About window
#define IDR_GIF_ABOUT_ICON 106   // 73 x 73 product picture of the About window
#define IDR_GIF_ABOUT_SMALL 107  // 32 x 32 picture beside the contact lines

// Bitmaps (RT_BITMAP). Their lower-left pixel gives the see-through colour.
#define IDB_BULLET 201  // 9 x 11 bullet of the links panel
#define IDB_ADD 202     // 18 x 18 button glyphs, 24-bit
#define IDB_REMOVE 203
#define IDB_CLEAR 204
#define IDB_ABOUT 205
#define IDB_CLOSE 206
#define IDB_OK 207
#define IDB_START 208        // 36 x 18: normal | disabled
#define IDB_STOP 209         // 36 x 18: normal | disabled
#define IDB_TRACK_THUMB 210  // 36 x 18: normal | hot or pressed

#endif
