#include "pictures/gif/GIFDrawPalette.h"

#include <vector>

#include "pictures/gif/GIFDrawSettings.h"
#include "pictures/gif/GIFDrawState.h"

TPaletteOwner ExportColorMapPalette(const TGIFColorMap& map) {
  if (map.Count() == 0) return nullptr;
  std::vector<PALETTEENTRY> entries;
  for (int i = 0; i < map.Count(); ++i) {
    const TGIFColor& c = map.Entry(i);
    entries.push_back(PALETTEENTRY{c.Red, c.Green, c.Blue, PC_NOCOLLAPSE});
  }
  return CreatePaletteOf(entries.data(), int(entries.size()));
}

TPaletteOwner CreateColorCubePalette() {
  std::vector<PALETTEENTRY> entries;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) entries.push_back(PALETTEENTRY{BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
  return CreatePaletteOf(entries.data(), int(entries.size()));
}

HPALETTE GIFFramePalette(const TGIFSubImage& frame) { return GIFFramePalette(ImageRender(frame.Image()), frame); }

HPALETTE GIFImagePalette(const TGIFImage& image) { return GIFImagePalette(ImageRender(image)); }

HPALETTE GIFFramePalette(TGIFImageRender& state, const TGIFSubImage& frame) {
  std::lock_guard lock(state.RenderLock);
  TGIFFrameRender& render = FrameRender(state, frame);
  if (render.Bitmap && render.Bitmap->PaletteHandle()) return render.Bitmap->PaletteHandle();
  if (render.Palette) return render.Palette.get();
  if (GIFShouldDither(frame.Image().DrawOptions)) {
    render.Palette = CreateColorCubePalette();
  } else if (frame.ColorMap().Count() == 0) {
    return GIFImagePalette(state);
  } else {
    render.Palette = ExportColorMapPalette(frame.ColorMap());
  }
  return render.Palette.get();
}

HPALETTE GIFImagePalette(TGIFImageRender& image) {
  std::lock_guard lock(image.RenderLock);
  const TGIFImage& picture = *image.Image;
  // Only reached again from inside when the global map and frame 0 both
  // lack colours: frame 0 then asks the picture.
  if (image.InsideGetPalette) throw GIFException("No global or local color table defined");
  TFlagGuard inside(image.InsideGetPalette);
  if (image.Bitmap && image.Bitmap->PaletteHandle()) return image.Bitmap->PaletteHandle();
  if (image.GlobalPalette) return image.GlobalPalette.get();
  if (GIFShouldDither(picture.DrawOptions)) {
    image.GlobalPalette = CreateColorCubePalette();
    return image.GlobalPalette.get();
  }
  if (picture.Header().ColorMap().Count() > 0) {
    image.GlobalPalette = ExportColorMapPalette(picture.Header().ColorMap());
    return image.GlobalPalette.get();
  }
  if (picture.Images().Count() > 0) return GIFFramePalette(image, picture.Images()[0]);
  return nullptr;
}

TPaletteHandle TGIFImage::GetPalette() const { return GIFImagePalette(*this); }
