#include "gui/IniFile.h"

#include <algorithm>
#include <cstdint>

#include "gui/SafeFile.h"

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  constexpr std::uint32_t kReplacement = 0xFFFD;
  const auto unit = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? std::uint32_t{first} << 8 | second : std::uint32_t{second} << 8 | first;
  };
  std::string out;
  out.reserve(bytes.size() / 2 * 3);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    std::uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

}  // namespace

std::string IniFileText(std::string_view bytes, TIniEncoding& encoding) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    encoding = TIniEncoding::Utf8;
    return std::string(bytes.substr(3));
  }
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool bigEndian = bytes[0] == '\xFE';
    encoding = bigEndian ? TIniEncoding::Utf16BE : TIniEncoding::Utf16LE;
    return Utf16ToUtf8(bytes.substr(2), bigEndian);
  }
  encoding = TIniEncoding::Ansi;
  return std::string(bytes);
}

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

std::string FoldIniName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = Fold(c);
  return out;
}

// ---- TIniSection ----

int TIniSection::Find(std::string_view key) const {
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (SameIniName(values_[i].first, key)) return static_cast<int>(i);
  return -1;
}

std::string TIniSection::ReadString(std::string_view key, std::string_view def) const {
  const int i = Find(key);
  return i < 0 ? std::string(def) : values_[static_cast<std::size_t>(i)].second;
}

void TIniSection::WriteString(std::string_view key, std::string_view value) {
  const int i = Find(key);
  if (i < 0)
    values_.emplace_back(std::string(key), std::string(value));
  else
    values_[static_cast<std::size_t>(i)].second.assign(value);
}

void TIniSection::DeleteKey(std::string_view key) {
  std::erase_if(values_, [key](const auto& line) { return SameIniName(line.first, key); });
}

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(std::wstring fileName, TIniOpen open) : fileName_(std::move(fileName)) {
  if (open == TIniOpen::Empty) return;
  std::string bytes;
  if (ReadWholeFile(fileName_, bytes)) SetText(IniFileText(bytes, encoding_));
}

void TMemIniFile::UpdateFile() const { WriteFileReplacing(fileName_, GetText()); }

void TMemIniFile::SetText(std::string_view text) {
  Clear();
  // A byte-order mark is no part of the first line.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TIniSection* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &AppendSection(std::string(line.substr(1, line.size() - 2)));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    current->Append(std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))));
  }
}

std::string TMemIniFile::GetText() const {
  // Size the text first so that it is built in one allocation.
  std::size_t size = 0;
  for (const TIniSection& section : sections_) {
    size += section.Name().size() + 6;
    for (int i = 0; i < section.Count(); ++i) size += section.Key(i).size() + section.Value(i).size() + 3;
  }
  std::string text;
  text.reserve(size);
  for (const TIniSection& section : sections_) {
    text += '[';
    text += section.Name();
    text += "]\r\n";
    for (int i = 0; i < section.Count(); ++i) {
      text += section.Key(i);
      text += '=';
      text += section.Value(i);
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> TMemIniFile::ReadSections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const TIniSection& section : sections_) names.push_back(section.Name());
  return names;
}

const std::unordered_map<std::string, std::size_t>& TMemIniFile::Index() const {
  if (!indexValid_) {
    index_.clear();
    index_.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) index_.try_emplace(FoldIniName(sections_[i].Name()), i);
    indexValid_ = true;
  }
  return index_;
}

const TIniSection* TMemIniFile::FindSection(std::string_view name) const {
  const auto& index = Index();
  const auto found = index.find(FoldIniName(name));
  return found == index.end() ? nullptr : &sections_[found->second];
}

TIniSection* TMemIniFile::FindSection(std::string_view name) {
  const auto& index = Index();
  const auto found = index.find(FoldIniName(name));
  return found == index.end() ? nullptr : &sections_[found->second];
}

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const TIniSection* found = FindSection(section);
  return found != nullptr && found->ValueExists(key);
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const TIniSection* found = FindSection(section);
  return found ? found->ReadString(key, def) : std::string(def);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  TIniSection* found = FindSection(section);
  if (found == nullptr) found = &AppendSection(std::string(section));
  found->WriteString(key, value);
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (TIniSection* found = FindSection(section)) found->DeleteKey(key);
}

void TMemIniFile::EraseSection(std::string_view name) {
  const std::size_t before = sections_.size();
  std::erase_if(sections_, [name](const TIniSection& section) { return SameIniName(section.Name(), name); });
  if (sections_.size() != before) indexValid_ = false;
}

TIniSection& TMemIniFile::AppendSection(std::string name) {
  // Keep a built index up to date; an unbuilt one waits for its first use.
  if (indexValid_ && !sections_.empty())
    index_.try_emplace(FoldIniName(name), sections_.size());
  else
    indexValid_ = false;
  sections_.emplace_back(std::move(name));
  return sections_.back();
}

void TMemIniFile::Clear() {
  sections_.clear();
  index_.clear();
  indexValid_ = true;
}
