#pragma once
// An owning pointer to a reference-counted (COM-style) object: AddRef when a
// copy is taken, Release when it lets go.
#include <utility>

template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(std::nullptr_t) {}
  // Takes a new reference to p.
  explicit TComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  TComPtr(const TComPtr& other) : TComPtr(other.p_) {}
  TComPtr(TComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class U>
  TComPtr(const TComPtr<U>& other) : TComPtr(other.Get()) {}
  ~TComPtr() { Reset(); }

  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  // Adopts a reference that the caller already holds (no AddRef).
  static TComPtr Attach(T* p) {
    TComPtr result;
    result.p_ = p;
    return result;
  }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const TComPtr& other) const { return p_ == other.p_; }
  bool operator==(std::nullptr_t) const { return p_ == nullptr; }

 private:
  T* p_ = nullptr;
};
