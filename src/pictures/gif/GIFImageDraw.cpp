// Drawing of GIF pictures where no canvas exists (the portable build): a
// picture has no drawing state and draws nothing. The Windows build draws
// and animates through GIFDraw*.cpp and GIFPainter.cpp instead of this file.
#include "pictures/gif/GIFImage.h"

struct TGIFImageRender {};
struct TGIFFrameRender {};

void TGIFRenderRelease::operator()(TGIFImageRender* render) const noexcept { delete render; }
void TGIFRenderRelease::operator()(TGIFFrameRender* render) const noexcept { delete render; }

// No canvas can be handed in here.
void TGIFImage::Draw(TCanvas&, const TRect&) {}
bool TGIFImage::DrawsOpaque() const { return false; }

// Palettes are platform objects; there are none here.
TPaletteHandle TGIFImage::GetPalette() const { return nullptr; }
