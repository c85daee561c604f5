#pragma once
// Reader of a program's version resource: the texts of its string table by
// index and the four parts of its file version. Everything is read once, by
// the constructor; the queries only look into the copy kept by the reader.
// Uses the 8-bit forms of the version functions, so texts come in the
// system's ANSI code page.
#include <cstdint>
#include <string>
#include <vector>

struct tagVS_FIXEDFILEINFO;

class TVersionInfo {
 public:
  // Reads the running program's own version resource.
  TVersionInfo();
  // Reads the version resource of another file (8-bit file name).
  explicit TVersionInfo(std::string fileName);
  virtual ~TVersionInfo() = default;
  TVersionInfo(const TVersionInfo&) = delete;
  TVersionInfo& operator=(const TVersionInfo&) = delete;

  // 0 the language name; 1 CompanyName, 2 FileDescription, 3 FileVersion,
  // 4 InternalName, 5 LegalCopyright, 6 LegalTrademarks, 7 OriginalFilename,
  // 8 ProductName, 9 ProductVersion, 10 Comments; empty for any other index
  // and for a value the resource does not hold.
  std::string GetVersionString(int index) const;
  // 0 major, 1 minor, 2 release, 3 build, from the file version of the fixed
  // record; 0 for any other index and when there is no fixed record.
  std::uint32_t GetVersionNumber(int index) const;

  const std::string& FileName() const { return FileName_; }
  // Language and code page of the first translation, eight upper-case hex
  // digits ("040904E4"); empty without a version resource.
  const std::string& LangCodePage() const { return LangCodePage_; }
  const std::string& LanguageName() const { return LanguageName_; }

 private:
  void Read();
  std::string QueryStringValue(const std::string& name) const;

  std::string FileName_;
  std::vector<std::uint8_t> VersionBlock_;
  std::string LangCodePage_;
  std::string LanguageName_;
  const tagVS_FIXEDFILEINFO* FixedInfo_ = nullptr;
};

// The 8-bit name of the running program file. When the full name cannot be
// written in the ANSI code page, its short (8.3) form is used, which can.
std::string ProgramFileNameAnsi();
