#pragma once
// The two registries of extension kinds: by label, and (for application
// extensions) by 11-byte identifier. Both are built with the standard kinds
// on first use. A look-up searches from the latest registration backwards,
// so a later registration overrides an earlier one.
#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

class TGIFExtensionClass;

class TExtensionList {
 public:
  // Built on first use with 0x01 text, 0xF9 graphic control, 0xFE comment
  // and 0xFF application.
  static TExtensionList& Instance();

  void Add(std::uint8_t label, const TGIFExtensionClass& extensionClass);
  // Removes the latest registration of the class.
  void Remove(const TGIFExtensionClass& extensionClass);
  const TGIFExtensionClass* Find(std::uint8_t label) const;

 private:
  TExtensionList();
  struct Entry {
    std::uint8_t Label;
    const TGIFExtensionClass* Class;
  };
  mutable std::mutex lock_;
  std::vector<Entry> entries_;
};

using TGIFAppIdentifier = std::array<std::uint8_t, 11>;

// The identifier from an 11-character text ("NETSCAPE2.0").
TGIFAppIdentifier GIFAppIdentifier(std::string_view text);

class TAppExtensionList {
 public:
  // Built on first use with "NETSCAPE2.0" and "ANIMEXTS1.0", both loop
  // extensions.
  static TAppExtensionList& Instance();

  void Add(const TGIFAppIdentifier& identifier, const TGIFExtensionClass& extensionClass);
  void Remove(const TGIFExtensionClass& extensionClass);
  // Compares all 11 bytes exactly.
  const TGIFExtensionClass* Find(const TGIFAppIdentifier& identifier) const;

 private:
  TAppExtensionList();
  struct Entry {
    TGIFAppIdentifier Identifier;
    const TGIFExtensionClass* Class;
  };
  mutable std::mutex lock_;
  std::vector<Entry> entries_;
};
