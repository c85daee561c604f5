#pragma once
// The picture's own decode of a photo, as the photo benchmark times it:
// under Windows the picture class into a new bitmap, natively the portable
// decoder into a new raster. Loading (which under Windows keeps a copy of the
// file's bytes and reads the header) happens once, apart from the decodes,
// as a bare decode also starts from bytes in memory; each decode then goes
// into fresh memory, as a picture does whenever it is shown anew.
#include <cstdint>
#include <memory>
#include <vector>

class TOursPhoto {
 public:
  // Loads the picture; the file must outlive the object.
  explicit TOursPhoto(const std::vector<std::uint8_t>& file);
  ~TOursPhoto();

  // What loading alone costs, for the record: a new load of the same file.
  static void Load(const std::vector<std::uint8_t>& file);
  // Decodes the whole picture at full size.
  void DecodeFull();
  // Decodes the picture as the preview of a box of the given size does, and
  // returns the scale denominator it chose (1, 2, 4 or 8).
  unsigned DecodePreview(int boxWidth, int boxHeight);

 private:
  struct TLoaded;
  std::unique_ptr<TLoaded> loaded_;
};
