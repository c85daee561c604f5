#pragma once
// Makes the JPEG picture known to the picture system: the extensions "jpeg"
// and "jpg" and the class name "TJPEGImage". Called once at program start
// (before any picture is loaded); it also picks the default decode format
// from the screen's colour depth.
void RegisterJPEGImage();
void UnregisterJPEGImage();

// The description the open dialog lists for both extensions.
inline constexpr const wchar_t* JPEGImageFileDescription = L"JPEG Image File";
