#include "gui/Stream.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

std::int64_t TStream::Size() {
  const std::int64_t pos = Position();
  const std::int64_t end = Seek(0, TSeekOrigin::End);
  Seek(pos, TSeekOrigin::Begin);
  return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)));
  std::int64_t left = count;
  while (left > 0) {
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, std::int64_t(chunk.size())));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= std::int64_t(n);
  }
  return count;
}

namespace {
std::int64_t NewPosition(std::int64_t offset, TSeekOrigin origin, std::int64_t current, std::int64_t size) {
  std::int64_t base = origin == TSeekOrigin::Begin ? 0 : origin == TSeekOrigin::Current ? current : size;
  const std::int64_t pos = base + offset;
  if (pos < 0) throw EStreamError("Invalid stream position");
  return pos;
}
}  // namespace

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (pos_ >= data_.size()) return 0;
  const std::size_t n = std::min(count, data_.size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (pos_ + count > data_.size()) data_.resize(pos_ + count);
  if (count) std::memcpy(data_.data() + pos_, buffer, count);
  pos_ += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  pos_ = static_cast<std::size_t>(NewPosition(offset, origin, std::int64_t(pos_), std::int64_t(data_.size())));
  return std::int64_t(pos_);
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const std::int64_t size = source.Size();
  data_.assign(static_cast<std::size_t>(size), 0);
  source.ReadBuffer(data_.data(), data_.size());
  pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::wstring& fileName) {
  data_ = ReadFileBytes(fileName);
  pos_ = 0;
}

std::size_t TBufferStream::Read(void* buffer, std::size_t count) {
  if (pos_ >= size_) return 0;
  const std::size_t n = std::min(count, size_ - pos_);
  std::memcpy(buffer, data_ + pos_, n);
  pos_ += n;
  return n;
}

std::int64_t TBufferStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  pos_ = static_cast<std::size_t>(NewPosition(offset, origin, std::int64_t(pos_), std::int64_t(size_)));
  return std::int64_t(pos_);
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode) {
#ifdef _WIN32
  file_ = _wfopen(fileName.c_str(), mode == TFileMode::Create ? L"w+b" : L"rb");
#else
  file_ = std::fopen(WideToUtf8(fileName).c_str(), mode == TFileMode::Create ? "w+b" : "rb");
#endif
  if (!file_)
    throw EStreamError((mode == TFileMode::Create ? "Cannot create file \"" : "Cannot open file \"") +
                       WideToUtf8(fileName) + "\"");
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) { return std::fread(buffer, 1, count, file_); }

std::size_t TFileStream::Write(const void* buffer, std::size_t count) { return std::fwrite(buffer, 1, count, file_); }

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  if (_fseeki64(file_, offset, whence) != 0) throw EStreamError("Invalid stream position");
  return _ftelli64(file_);
#else
  if (fseeko(file_, offset, whence) != 0) throw EStreamError("Invalid stream position");
  return ftello(file_);
#endif
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& fileName) {
  TFileStream file(fileName, TFileMode::OpenRead);
  const std::int64_t size = file.Size();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = static_cast<std::uint32_t>(text[i]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::wstring Utf8ToWide(const std::string& text) {
  std::wstring out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::uint32_t c;
    int extra;
    if (b < 0x80) { c = b; extra = 0; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
    else { c = 0xFFFD; extra = 0; }
    ++i;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) { c = 0xFFFD; break; }
      c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
      c -= 0x10000;
      out += wchar_t(0xD800 + (c >> 10));
      out += wchar_t(0xDC00 + (c & 0x3FF));
    } else {
      out += wchar_t(c);
    }
  }
  return out;
}
