#include "pictures/gif/GIFExtensionRegistry.h"

#include <algorithm>

#include "pictures/gif/GIFAppExtension.h"
#include "pictures/gif/GIFGraphicControl.h"
#include "pictures/gif/GIFTextExtensions.h"

namespace {

template <class Entries, class Match>
auto FindLatest(const Entries& entries, Match match) -> decltype(entries.rbegin()) {
  return std::find_if(entries.rbegin(), entries.rend(), match);
}

template <class Entries>
void RemoveLatest(Entries& entries, const TGIFExtensionClass& extensionClass) {
  auto it = FindLatest(entries, [&](const auto& e) { return e.Class == &extensionClass; });
  if (it != entries.rend()) entries.erase(std::next(it).base());
}

}  // namespace

TExtensionList::TExtensionList() {
  entries_.push_back({0x01, &TGIFTextExtension::Class()});
  entries_.push_back({0xF9, &TGIFGraphicControlExtension::Class()});
  entries_.push_back({0xFE, &TGIFCommentExtension::Class()});
  entries_.push_back({0xFF, &TGIFApplicationExtension::Class()});
}

TExtensionList& TExtensionList::Instance() {
  static TExtensionList list;
  return list;
}

void TExtensionList::Add(std::uint8_t label, const TGIFExtensionClass& extensionClass) {
  std::lock_guard guard(lock_);
  entries_.push_back({label, &extensionClass});
}

void TExtensionList::Remove(const TGIFExtensionClass& extensionClass) {
  std::lock_guard guard(lock_);
  RemoveLatest(entries_, extensionClass);
}

const TGIFExtensionClass* TExtensionList::Find(std::uint8_t label) const {
  std::lock_guard guard(lock_);
  auto it = FindLatest(entries_, [label](const Entry& e) { return e.Label == label; });
  return it == entries_.rend() ? nullptr : it->Class;
}

TGIFAppIdentifier GIFAppIdentifier(std::string_view text) {
  TGIFAppIdentifier id{};
  std::copy_n(text.begin(), std::min(text.size(), id.size()), id.begin());
  return id;
}

TAppExtensionList::TAppExtensionList() {
  entries_.push_back({GIFAppIdentifier("NETSCAPE2.0"), &TGIFAppExtNSLoop::Class()});
  entries_.push_back({GIFAppIdentifier("ANIMEXTS1.0"), &TGIFAppExtNSLoop::Class()});
}

TAppExtensionList& TAppExtensionList::Instance() {
  static TAppExtensionList list;
  return list;
}

void TAppExtensionList::Add(const TGIFAppIdentifier& identifier, const TGIFExtensionClass& extensionClass) {
  std::lock_guard guard(lock_);
  entries_.push_back({identifier, &extensionClass});
}

void TAppExtensionList::Remove(const TGIFExtensionClass& extensionClass) {
  std::lock_guard guard(lock_);
  RemoveLatest(entries_, extensionClass);
}

const TGIFExtensionClass* TAppExtensionList::Find(const TGIFAppIdentifier& identifier) const {
  std::lock_guard guard(lock_);
  auto it = FindLatest(entries_, [&](const Entry& e) { return e.Identifier == identifier; });
  return it == entries_.rend() ? nullptr : it->Class;
}
