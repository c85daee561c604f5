#pragma once
// The error of the GIF reader. Every hard failure while reading raises one of
// these with a fixed message; recoverable problems are warnings instead
// (TGIFImage::Warning).
#include "gui/GraphicError.h"

class GIFException : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// The fixed messages of the reader, shared by errors and warnings.
namespace GIFMessage {
inline constexpr const char* PrematureEnd = "Premature end of data";
inline constexpr const char* InvalidSignature = "Invalid GIF signature";
inline constexpr const char* UnknownExtension = "Unknown extension type";
inline constexpr const char* InvalidIntroducer = "Invalid extension introducer";
inline constexpr const char* ExtensionMismatch = "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* AppBlockSize = "Unsupported Application Extension block size";
inline constexpr const char* InvalidData = "Invalid GIF data";
inline constexpr const char* CircularTable = "Circular decoder table entry";
inline constexpr const char* EmptyColorTable = "Color table is empty";
inline constexpr const char* UnknownBlock = "Unknown GIF block type";
inline constexpr const char* ExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* BitBufferUnderrun = "Decoder bit buffer under-run";
inline constexpr const char* InvalidTrailer = "Invalid Image trailer";
inline constexpr const char* InvalidColorIndex = "Invalid color index";
}  // namespace GIFMessage

// Severity of every warning the reader reports.
inline constexpr int GIFWarningSeverity = 1;
