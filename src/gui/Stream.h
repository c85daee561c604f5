#pragma once
// Seekable byte streams of the runtime: an abstract stream, a stream over a
// memory buffer and a stream over a file. Portable; no Windows header.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TSeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::Begin); }
  std::int64_t Size();
  // Reads exactly count bytes or raises EStreamError("Stream read error").
  void ReadBuffer(void* buffer, std::size_t count);
  void WriteBuffer(const void* buffer, std::size_t count);
  // Copies count bytes (all the rest when count is 0) from source.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  const std::uint8_t* Memory() const { return data_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }
  void SetSize(std::size_t size) { data_.resize(size); if (pos_ > size) pos_ = size; }
  void Clear() { data_.clear(); pos_ = 0; }
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::wstring& fileName);

 private:
  std::vector<std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// A read-only stream over bytes owned elsewhere (no copy).
class TBufferStream : public TStream {
 public:
  TBufferStream(const void* data, std::size_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void*, std::size_t) override { throw EStreamError("Stream write error"); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  // For readers that take many small pieces without a call for each: the
  // bytes, their count, and the position, which such a reader moves itself.
  const std::uint8_t* Data() const { return data_; }
  std::size_t Length() const { return size_; }
  std::size_t& Cursor() { return pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

enum class TFileMode { OpenRead, Create };

class TFileStream : public TStream {
 public:
  // Raises EStreamError with the file name when the file cannot be opened.
  TFileStream(const std::wstring& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

 private:
  std::FILE* file_ = nullptr;
};

// Whole-file helpers.
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& fileName);
// UTF-8 narrow form of a wide text, for messages and native file names.
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
