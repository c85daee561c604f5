// Drawing of GIF pictures, until the drawing code takes this file's place:
// no drawing state is ever made, so there is nothing to paint and nothing
// to stop. Replace this whole file (Draw, the render structures and their
// release) when the painters and bitmaps arrive.
#include "pictures/gif/GIFImage.h"

struct TGIFImageRender {};
struct TGIFFrameRender {};

void TGIFRenderRelease::operator()(TGIFImageRender* render) const noexcept { delete render; }
void TGIFRenderRelease::operator()(TGIFFrameRender* render) const noexcept { delete render; }

void TGIFImage::Draw(TCanvas&, const TRect&) {}
