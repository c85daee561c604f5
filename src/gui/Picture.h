#pragma once
// A picture of any registered kind. The picture system keeps two registries:
// file extensions (for loading files and for the open dialog's filter) and
// class names (window descriptions store a picture as a class name followed
// by the graphic's own bytes). Bitmaps ("bmp", "TBitmap") are always known.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Graphic.h"

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct TFileFormat {
  std::wstring Extension;  // lower case, without the dot
  std::wstring Description;
  TGraphicFactory Factory;
};

class TPicture {
 public:
  TPicture() = default;
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Registers (or replaces) the graphic kind for an extension ("jpg").
  static void RegisterFileFormat(const std::wstring& extension, const std::wstring& description,
                                 TGraphicFactory factory);
  static void UnregisterFileFormat(const std::wstring& extension);
  static std::vector<TFileFormat> FileFormats();
  // The registered kind for an extension, with or without the dot; null when unknown.
  static TGraphicFactory FactoryForExtension(const std::wstring& extension);

  // Registers (or replaces) a graphic kind by class name ("TGIFImage").
  static void RegisterClassName(const std::string& className, TGraphicFactory factory);
  static void UnregisterClassName(const std::string& className);
  // A new empty graphic of the class; raises EInvalidGraphic when unknown.
  static std::unique_ptr<TGraphic> CreateGraphic(const std::string& className);

  // Picks the kind by the file's extension; an unknown extension raises
  // EInvalidGraphic("Unknown picture file extension (.xyz)").
  void LoadFromFile(const std::wstring& fileName);
  void SaveToFile(const std::wstring& fileName);
  // Builds a graphic of the named class and loads it from data.
  void LoadFromClassData(const std::string& className, TStream& data);

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes ownership; null empties the picture.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  template <class T>
  T* GraphicAs() const {
    return dynamic_cast<T*>(graphic_.get());
  }

  int Width() const { return graphic_ ? graphic_->GetWidth() : 0; }
  int Height() const { return graphic_ ? graphic_->GetHeight() : 0; }
  bool Empty() const { return !graphic_ || graphic_->GetEmpty(); }

  // Raised when the graphic is replaced or reports a change.
  std::function<void(TPicture&)> OnChange;
  // Forwarded from the graphic's progress reports.
  std::function<void(TGraphic&, int stage, int percent, bool redrawNow)> OnProgress;
  void Changed();

 private:
  void Attach();

  std::unique_ptr<TGraphic> graphic_;
};
