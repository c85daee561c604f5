#include "GifLoad.h"

namespace giftest {

std::vector<std::string> Loaded::WarningMessages() const {
  std::vector<std::string> out;
  for (const auto& w : warnings) out.push_back(w.message);
  return out;
}

std::vector<std::uint8_t> Loaded::Pixels(int index) const {
  const TGIFSubImage& frame = Frame(index);
  return {frame.Data(), frame.Data() + frame.DataSize()};
}

Loaded LoadGif(const Bytes& bytes, std::int64_t offset, std::size_t memoryLimit) {
  Loaded result;
  if (memoryLimit) result.image->MemoryLimit = memoryLimit;
  result.image->OnWarning = [&result](TGIFImage&, TGIFItem* sender, int severity, const std::string& message) {
    result.warnings.push_back({sender, severity, message});
  };
  TMemoryStream stream(bytes);
  stream.SetPosition(offset);
  try {
    result.image->LoadFromStream(stream);
  } catch (const GIFException& e) {
    result.error = e.what();
  }
  result.positionAfter = stream.Position();
  // The hook refers to this local result; later copies must not call it.
  result.image->OnWarning = nullptr;
  return result;
}

}  // namespace giftest
