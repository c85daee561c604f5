#include "gui/ResourcePicture.h"

#include "gui/GraphicError.h"
#include "gui/Picture.h"
#include "gui/Stream.h"

void LoadGifResource(TPicture& picture, int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return;
  TBufferStream data(bytes, SizeofResource(module, found));
  try {
    picture.LoadFromClassData("TGIFImage", data);
  } catch (const EInvalidGraphic&) {
    picture.SetGraphic(nullptr);
  }
}

TBitmapOwner LoadGlyphResource(int id) {
  return TBitmapOwner(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
