#include "gui/Picture.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>

#include "gui/Bitmap.h"

namespace {

struct TRegistry {
  std::mutex mutex;
  std::vector<TFileFormat> formats;
  std::map<std::string, TGraphicFactory> classes;

  TRegistry() {
    TGraphicFactory bitmap = [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); };
    formats.push_back({L"bmp", L"Bitmaps", bitmap});
    classes["TBitmap"] = bitmap;
  }
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = wchar_t(std::towlower(wint_t(c)));
  return text;
}

std::wstring NormalExtension(const std::wstring& extension) {
  return Lower(!extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension);
}

// The extension of the file part of a path, without the dot.
std::wstring ExtensionOf(const std::wstring& fileName) {
  const auto slash = fileName.find_last_of(L"\\/:");
  const auto dot = fileName.rfind(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return L"";
  return Lower(fileName.substr(dot + 1));
}

}  // namespace

void TPicture::RegisterFileFormat(const std::wstring& extension, const std::wstring& description,
                                  TGraphicFactory factory) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  const std::wstring ext = NormalExtension(extension);
  for (auto& f : r.formats) {
    if (f.Extension == ext) {
      f.Description = description;
      f.Factory = std::move(factory);
      return;
    }
  }
  r.formats.push_back({ext, description, std::move(factory)});
}

void TPicture::UnregisterFileFormat(const std::wstring& extension) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  const std::wstring ext = NormalExtension(extension);
  std::erase_if(r.formats, [&](const TFileFormat& f) { return f.Extension == ext; });
}

std::vector<TFileFormat> TPicture::FileFormats() {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  return r.formats;
}

TGraphicFactory TPicture::FactoryForExtension(const std::wstring& extension) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  const std::wstring ext = NormalExtension(extension);
  for (const auto& f : r.formats)
    if (f.Extension == ext) return f.Factory;
  return nullptr;
}

void TPicture::RegisterClassName(const std::string& className, TGraphicFactory factory) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  r.classes[className] = std::move(factory);
}

void TPicture::UnregisterClassName(const std::string& className) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  r.classes.erase(className);
}

std::unique_ptr<TGraphic> TPicture::CreateGraphic(const std::string& className) {
  TGraphicFactory factory;
  {
    auto& r = Registry();
    std::lock_guard lock(r.mutex);
    const auto it = r.classes.find(className);
    if (it != r.classes.end()) factory = it->second;
  }
  if (!factory) throw EInvalidGraphic("Unknown picture class " + className);
  return factory();
}

TPicture::~TPicture() {
  // The graphic must not call back into a picture that is going away.
  if (graphic_) {
    graphic_->OnChange = nullptr;
    graphic_->OnProgress = nullptr;
  }
}

void TPicture::Attach() {
  if (!graphic_) return;
  graphic_->OnChange = [this](TGraphic&) { Changed(); };
  graphic_->OnProgress = [this](TGraphic& g, int stage, int percent, bool redrawNow) {
    if (OnProgress) OnProgress(g, stage, percent, redrawNow);
  };
}

void TPicture::Changed() {
  if (OnChange) OnChange(*this);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  if (graphic_) {
    graphic_->OnChange = nullptr;
    graphic_->OnProgress = nullptr;
  }
  graphic_ = std::move(graphic);
  Attach();
  Changed();
}

void TPicture::LoadFromFile(const std::wstring& fileName) {
  const std::wstring ext = ExtensionOf(fileName);
  const TGraphicFactory factory = FactoryForExtension(ext);
  if (!factory) throw EInvalidGraphic("Unknown picture file extension (." + WideToUtf8(ext) + ")");
  // The new graphic replaces the old one only once it has loaded, so a bad
  // file leaves the picture as it was.
  std::unique_ptr<TGraphic> graphic = factory();
  graphic->OnProgress = [this](TGraphic& g, int stage, int percent, bool redrawNow) {
    if (OnProgress) OnProgress(g, stage, percent, redrawNow);
  };
  TFileStream stream(fileName, TFileMode::OpenRead);
  graphic->LoadFromStream(stream);
  SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::wstring& fileName) {
  if (!graphic_) return;
  TFileStream stream(fileName, TFileMode::Create);
  graphic_->SaveToStream(stream);
}

void TPicture::LoadFromClassData(const std::string& className, TStream& data) {
  std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
  graphic->LoadFromStream(data);
  SetGraphic(std::move(graphic));
}
