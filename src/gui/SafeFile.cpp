#include "gui/SafeFile.h"

#include <algorithm>

#ifdef _WIN32
#include "gui/SystemError.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace {

std::string Quoted(const std::wstring& fileName) { return "\"" + WideToUtf8(fileName) + "\""; }

#ifdef _WIN32

std::string SystemErrorText(DWORD code) { return WideToUtf8(SystemErrorMessage(code)); }

class TFileOwner {
 public:
  explicit TFileOwner(HANDLE handle) : handle_(handle) {}
  ~TFileOwner() {
    if (Valid()) CloseHandle(handle_);
  }
  TFileOwner(const TFileOwner&) = delete;
  TFileOwner& operator=(const TFileOwner&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  // Closes now so that the file can be moved; reports whether closing worked.
  bool Close() {
    const bool ok = !Valid() || CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

[[noreturn]] void Fail(const std::string& what, const std::wstring& fileName, DWORD code) {
  throw EStreamError(what + " " + Quoted(fileName) + ". " + SystemErrorText(code));
}

#else

class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : fd_(fd) {}
  ~TFileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  bool Valid() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  bool Close() {
    const bool ok = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

[[noreturn]] void Fail(const std::string& what, const std::wstring& fileName, int code) {
  throw EStreamError(what + " " + Quoted(fileName) + ". " + std::strerror(code));
}

#endif

// Removes the temporary file unless the save went through.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(std::wstring name) : name_(std::move(name)) {}
  ~TTemporaryFile() {
    if (!kept_) Remove();
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::wstring& Name() const { return name_; }
  void Keep() { kept_ = true; }

 private:
  void Remove() {
#ifdef _WIN32
    DeleteFileW(name_.c_str());
#else
    ::unlink(WideToUtf8(name_).c_str());
#endif
  }
  std::wstring name_;
  bool kept_ = false;
};

}  // namespace

std::wstring ReplacementFileName(const std::wstring& fileName) { return fileName + L".saving"; }

namespace {

constexpr int kCopyNames = 9;

std::wstring CopyName(const std::wstring& fileName, int number) {
  return number == 1 ? fileName + L".bak" : fileName + L"." + std::to_wstring(number) + L".bak";
}

[[noreturn]] void NoFreeCopyName(const std::wstring& fileName) {
  throw EStreamError("Cannot create file " + Quoted(CopyName(fileName, 1)) + ". It and the names after it up to " +
                     Quoted(CopyName(fileName, kCopyNames)) + " are taken.");
}

}  // namespace

#ifdef _WIN32

bool ReadWholeFile(const std::wstring& fileName, std::string& bytes) {
  bytes.clear();
  TFileOwner file(CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return false;
    const DWORD attributes = GetFileAttributesW(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      throw EStreamError("Cannot open file " + Quoted(fileName) + ". It is a folder.");
    Fail("Cannot open file", fileName, code);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) Fail("Cannot read file", fileName, GetLastError());
  if (size.QuadPart > 0x7FFFFFFF) throw EStreamError("File " + Quoted(fileName) + " is too large.");
  // One allocation at the final size: growing a buffer step by step is slow
  // on some heaps.
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr))
      Fail("Cannot read file", fileName, GetLastError());
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  bytes.resize(done);
  return true;
}

void WriteFileReplacing(const std::wstring& fileName, std::string_view bytes) {
  const DWORD attributes = GetFileAttributesW(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      throw EStreamError("Cannot create file " + Quoted(fileName) + ". It is a folder.");
    if (attributes & FILE_ATTRIBUTE_READONLY)
      throw EStreamError("Cannot save file " + Quoted(fileName) + ". The file is read-only.");
  }
  TTemporaryFile temporary(ReplacementFileName(fileName));
  TFileOwner file(
      CreateFileW(temporary.Name().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    const DWORD code = GetLastError();
    temporary.Keep();  // nothing was created, nothing to remove (it may be another's file)
    Fail("Cannot create file", fileName, code);
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    if (!WriteFile(file.Get(), bytes.data() + done, want, &written, nullptr) || written == 0)
      Fail("Cannot write file", fileName, GetLastError());
    done += written;
  }
  if (!FlushFileBuffers(file.Get())) Fail("Cannot write file", fileName, GetLastError());
  if (!file.Close()) Fail("Cannot write file", fileName, GetLastError());
  if (!MoveFileExW(temporary.Name().c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    Fail("Cannot replace file", fileName, GetLastError());
  temporary.Keep();
}

std::wstring KeepCopyBeside(const std::wstring& fileName, std::string_view bytes) {
  for (int number = 1; number <= kCopyNames; ++number) {
    const std::wstring name = CopyName(fileName, number);
    TFileOwner file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
      const DWORD code = GetLastError();
      if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
      Fail("Cannot create file", name, code);
    }
    bool written = true;
    for (std::size_t done = 0; written && done < bytes.size();) {
      DWORD chunk = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
      written = WriteFile(file.Get(), bytes.data() + done, want, &chunk, nullptr) && chunk != 0;
      done += chunk;
    }
    written = written && FlushFileBuffers(file.Get());
    DWORD code = written ? ERROR_SUCCESS : GetLastError();
    if (!file.Close() && written) {
      written = false;
      code = GetLastError();
    }
    if (written) return name;
    // A copy cut short is no copy.
    DeleteFileW(name.c_str());
    Fail("Cannot write file", name, code);
  }
  NoFreeCopyName(fileName);
}

#else

bool ReadWholeFile(const std::wstring& fileName, std::string& bytes) {
  bytes.clear();
  const std::string name = WideToUtf8(fileName);
  TFileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.Valid()) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    Fail("Cannot open file", fileName, errno);
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) Fail("Cannot read file", fileName, errno);
  if (S_ISDIR(info.st_mode)) throw EStreamError("Cannot open file " + Quoted(fileName) + ". It is a folder.");
  if (!S_ISREG(info.st_mode)) throw EStreamError("Cannot open file " + Quoted(fileName) + ". It is not a file.");
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot read file", fileName, errno);
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return true;
}

void WriteFileReplacing(const std::wstring& fileName, std::string_view bytes) {
  const std::string name = WideToUtf8(fileName);
  struct stat info {};
  if (::stat(name.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw EStreamError("Cannot create file " + Quoted(fileName) + ". It is a folder.");
    // A file that nobody may write is read-only for the program too, even
    // though the folder would allow replacing it.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
      throw EStreamError("Cannot save file " + Quoted(fileName) + ". The file is read-only.");
  }
  TTemporaryFile temporary(ReplacementFileName(fileName));
  const std::string temporaryName = WideToUtf8(temporary.Name());
  TFileDescriptor file(::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.Valid()) {
    const int code = errno;
    temporary.Keep();
    Fail("Cannot create file", fileName, code);
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot write file", fileName, errno);
    }
    done += static_cast<std::size_t>(written);
  }
  if (::fsync(file.Get()) != 0 && errno != EINVAL) Fail("Cannot write file", fileName, errno);
  if (!file.Close()) Fail("Cannot write file", fileName, errno);
  if (::rename(temporaryName.c_str(), name.c_str()) != 0) Fail("Cannot replace file", fileName, errno);
  temporary.Keep();
}

std::wstring KeepCopyBeside(const std::wstring& fileName, std::string_view bytes) {
  for (int number = 1; number <= kCopyNames; ++number) {
    const std::wstring name = CopyName(fileName, number);
    const std::string path = WideToUtf8(name);
    TFileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!file.Valid()) {
      if (errno == EEXIST) continue;
      Fail("Cannot create file", name, errno);
    }
    int code = 0;
    for (std::size_t done = 0; code == 0 && done < bytes.size();) {
      const ssize_t written = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
      if (written >= 0)
        done += static_cast<std::size_t>(written);
      else if (errno != EINTR)
        code = errno;
    }
    if (code == 0 && ::fsync(file.Get()) != 0 && errno != EINVAL) code = errno;
    if (!file.Close() && code == 0) code = errno;
    if (code == 0) return name;
    ::unlink(path.c_str());
    Fail("Cannot write file", name, code);
  }
  NoFreeCopyName(fileName);
}

#endif
