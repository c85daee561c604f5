#include "app/ControlApplication.h"

std::string TControlApplication::MutexName(const std::string& programPath) {
  const std::size_t slash = programPath.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

TControlApplication::TControlApplication() {
  char path[MAX_PATH * 2] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string name = MutexName(std::string(path, length));
  mutex_.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
  anotherCopy_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}
