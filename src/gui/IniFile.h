#pragma once
// An INI document held wholly in memory: read from a file in one go, changed
// in memory and written back in one go. Sections keep the order of the file;
// section and key names are matched without regard to letter case (ASCII
// letters). A file read from disk may start with a byte-order mark, as the
// files that Notepad saves as "Unicode" or "UTF-8" do: UTF-16 (either byte
// order) and UTF-8 text is then kept as UTF-8, and Encoding() tells so;
// without a mark the text is kept as the file's bytes (the system's ANSI code
// page). Converting it to and from wide text is the caller's business
// (AnsiText.h, Stream.h). Writing always writes the text as it is held.
//
// Reading: lines are trimmed; "[name]" opens a section; "key=value" inside a
// section adds a value (key and value trimmed); every other line - empty,
// a comment, a line before the first section, a line without "=" - adds
// nothing. Two sections of the same name stay two sections, each with its own
// values; lookups by name find the first of them. Line ends may be CR LF, LF
// or CR. Writing: each section as "[name]", its "key=value" lines and one
// empty line, all ended by CR LF.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class TIniSection {
 public:
  explicit TIniSection(std::string name) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  int Count() const { return static_cast<int>(values_.size()); }
  const std::string& Key(int index) const { return values_.at(static_cast<std::size_t>(index)).first; }
  const std::string& Value(int index) const { return values_.at(static_cast<std::size_t>(index)).second; }

  bool ValueExists(std::string_view key) const { return Find(key) >= 0; }
  // The value of the first line with the key, or def when there is none.
  std::string ReadString(std::string_view key, std::string_view def = {}) const;
  // Replaces the value of the first line with the key, or adds a line.
  void WriteString(std::string_view key, std::string_view value);
  // Removes every line with the key.
  void DeleteKey(std::string_view key);
  // Adds a line without looking for an earlier one (used while reading).
  void Append(std::string key, std::string value) {
    // Most sections hold a handful of values; one allocation for them.
    if (values_.capacity() == 0) values_.reserve(4);
    values_.emplace_back(std::move(key), std::move(value));
  }

 private:
  int Find(std::string_view key) const;

  std::string name_;
  std::vector<std::pair<std::string, std::string>> values_;
};

enum class TIniOpen { Load, Empty };

// How an INI file's text was stored: without a byte-order mark in the ANSI
// code page, or in a Unicode form that a mark names.
enum class TIniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The text of a file's bytes: without a byte-order mark the bytes as they
// are (Ansi); after a UTF-8 mark the rest; after a UTF-16 mark the rest as
// UTF-8, an unpaired surrogate or a last odd byte becoming U+FFFD.
std::string IniFileText(std::string_view bytes, TIniEncoding& encoding);

class TMemIniFile {
 public:
  // A document without a file name and without sections.
  TMemIniFile() = default;
  // A document for the file. With TIniOpen::Load the file is read when it
  // exists (a missing file reads as a document without sections; a file
  // that exists but cannot be read raises EStreamError); with
  // TIniOpen::Empty the document starts empty and the file is not touched.
  explicit TMemIniFile(std::wstring fileName, TIniOpen open = TIniOpen::Load);

  const std::wstring& FileName() const { return fileName_; }
  // How the file that was read stored its text; Ansi for any other document.
  TIniEncoding Encoding() const { return encoding_; }

  // Writes the whole document to FileName, replacing the old file in one
  // step; raises EStreamError naming the file when that fails, leaving the
  // old file as it was.
  void UpdateFile() const;

  // Replaces the document by the parsed text, or gives the text to write.
  void SetText(std::string_view text);
  std::string GetText() const;

  int SectionCount() const { return static_cast<int>(sections_.size()); }
  const TIniSection& Section(int index) const { return sections_.at(static_cast<std::size_t>(index)); }
  TIniSection& Section(int index) { return sections_.at(static_cast<std::size_t>(index)); }
  // The names of all sections in document order (a name occurs once per
  // section, so duplicates occur more than once).
  std::vector<std::string> ReadSections() const;
  // The first section with the name, or nullptr.
  const TIniSection* FindSection(std::string_view name) const;
  TIniSection* FindSection(std::string_view name);
  bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }

  bool ValueExists(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;
  // Writes into the first section of the name, adding the section at the end
  // when there is none.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes every section of the name.
  void EraseSection(std::string_view name);
  // Adds a section at the end even when one of the name exists.
  TIniSection& AppendSection(std::string name);
  void Clear();

 private:
  const std::unordered_map<std::string, std::size_t>& Index() const;

  std::wstring fileName_;
  TIniEncoding encoding_ = TIniEncoding::Ansi;
  std::vector<TIniSection> sections_;
  // Lower-cased section name -> index of its first section. Built on the
  // first lookup by name, so that reading and writing whole files by index
  // never pay for it.
  mutable std::unordered_map<std::string, std::size_t> index_;
  mutable bool indexValid_ = true;
};

// ASCII case-insensitive comparison and folding used for names.
bool SameIniName(std::string_view a, std::string_view b);
std::string FoldIniName(std::string_view name);
