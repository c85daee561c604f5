#pragma once
// Drawing state that the drawing code keeps on a picture and on each frame
// (bitmaps, masks, palettes, painters). The reader only owns and drops it;
// its contents are defined with the drawing code, so the reader stays free
// of platform headers.
struct TGIFImageRender;
struct TGIFFrameRender;

struct TGIFRenderRelease {
  // Dropping a picture's state stops its painters (waiting for them) and
  // frees its internal bitmap before anything of the picture is touched.
  void operator()(TGIFImageRender* render) const noexcept;
  void operator()(TGIFFrameRender* render) const noexcept;
};
