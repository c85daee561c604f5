#pragma once
// The error that a picture type raises on data it cannot read. Portable.
#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A message with an explanation for people beside it ("JPEG error #53"
  // with the decoding library's own text), which what() leaves out.
  EInvalidGraphic(const std::string& message, std::string detail)
      : std::runtime_error(message), detail_(std::move(detail)) {}
  const std::string& Detail() const { return detail_; }

 private:
  std::string detail_;
};

// An operation a picture type does not support (resizing a JPEG picture).
class EInvalidGraphicOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The silent abort: raised to stop a long operation (a progress handler may
// raise it to cancel a decode); whoever runs the operation swallows it.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("Operation aborted") {}
};

// The memory one picture may take at most: its pixels, and every bitmap
// made to decode or draw it. A picture that would need more fails with
// EInvalidGraphic(ImageTooLarge) before anything of that size is allocated,
// on 32-bit systems as on 64-bit ones.
inline constexpr std::size_t PictureMemoryLimit = std::size_t(256) << 20;
inline constexpr const char* ImageTooLarge = "Image is too large";

// The text that tells a person what went wrong with a picture: the error's
// message, then its explanation when it has one ("JPEG error #53: Not a
// JPEG file: starts with 0x74 0x65").
inline std::string GraphicErrorText(const std::exception& error) {
  std::string text = error.what();
  if (const auto* graphic = dynamic_cast<const EInvalidGraphic*>(&error); graphic && !graphic->Detail().empty())
    text += ": " + graphic->Detail();
  return text;
}
