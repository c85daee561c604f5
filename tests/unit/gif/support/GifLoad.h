#pragma once
// Loading test pictures and collecting what the reader reported.
#include <memory>
#include <string>
#include <vector>

#include "GifWriter.h"
#include "pictures/gif/GIFImage.h"

namespace giftest {

struct Report {
  TGIFItem* sender;
  int severity;
  std::string message;
};

struct Loaded {
  std::unique_ptr<TGIFImage> image = std::make_unique<TGIFImage>();
  std::vector<Report> warnings;
  std::string error;  // message of the GIFException, empty on success
  std::int64_t positionAfter = -1;

  TGIFSubImage& Frame(int index) const { return image->Images()[index]; }
  std::vector<std::string> WarningMessages() const;
  // Pixels of a frame as a vector, for comparing.
  std::vector<std::uint8_t> Pixels(int index) const;
};

// Loads bytes from a memory stream (optionally from offset, with a lower
// memory limit), catching GIFException.
Loaded LoadGif(const Bytes& bytes, std::int64_t offset = 0, std::size_t memoryLimit = 0);

}  // namespace giftest
