#include "gui/Cancel.h"

#include <algorithm>
#include <cstdint>

namespace {
thread_local const TCancelFlag* current = nullptr;
}  // namespace

TCancelScope::TCancelScope(const TCancelFlag* flag) : outer_(current) { current = flag; }

TCancelScope::~TCancelScope() { current = outer_; }

const TCancelFlag* CurrentCancelFlag() { return current; }

std::size_t ReadCancellable(TStream& stream, void* buffer, std::size_t count, const TCancelFlag* flag) {
  constexpr std::size_t kPiece = std::size_t(1) << 20;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    CheckCancel(flag);
    const std::size_t got = stream.Read(out + done, std::min(kPiece, count - done));
    if (got == 0) break;
    done += got;
  }
  return done;
}
