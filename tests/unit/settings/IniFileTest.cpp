#include <gtest/gtest.h>

#include "TempFolder.h"
#include "gui/IniFile.h"

namespace {

TEST(IniParse, SectionsKeepFileOrderAndNamesIgnoreCase) {
  TMemIniFile ini;
  ini.SetText("[Zeta]\r\nA=1\r\n[alpha]\r\nB=2\r\n[Mid]\r\n");
  ASSERT_EQ(ini.SectionCount(), 3);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  EXPECT_EQ(ini.ReadString("ZETA", "a"), "1");
  EXPECT_EQ(ini.ReadString("Alpha", "b"), "2");
  EXPECT_TRUE(ini.SectionExists("mid"));
  EXPECT_FALSE(ini.ValueExists("Mid", "A"));
  EXPECT_EQ(ini.ReadString("Nowhere", "A", "dflt"), "dflt");
}

TEST(IniParse, LinesThatAreNotValuesContributeNothing) {
  TMemIniFile ini;
  ini.SetText(
      "Orphan=before any section\r\n"
      "; a comment\r\n"
      "[S]\r\n"
      "no equals sign here\r\n"
      "  Key  =  spaced value  \r\n"
      "Empty=\r\n"
      "=nameless\r\n"
      "Eq=a=b\r\n"
      "[Broken\r\n"
      "After=still in S\r\n");
  ASSERT_EQ(ini.SectionCount(), 1);
  const TIniSection& s = ini.Section(0);
  EXPECT_EQ(s.ReadString("key"), "spaced value");
  EXPECT_TRUE(s.ValueExists("Empty"));
  EXPECT_EQ(s.ReadString("Empty", "x"), "");
  EXPECT_EQ(s.ReadString("Eq"), "a=b");
  EXPECT_EQ(s.ReadString("After"), "still in S");
  EXPECT_FALSE(s.ValueExists("Orphan"));
  EXPECT_FALSE(s.ValueExists("no equals sign here"));
}

TEST(IniParse, AcceptsAnyLineEndAndByteOrderMark) {
  TMemIniFile ini;
  ini.SetText("\xEF\xBB\xBF[A]\nX=1\r[B]\r\nY=2");
  ASSERT_EQ(ini.SectionCount(), 2);
  EXPECT_EQ(ini.Section(0).Name(), "A");
  EXPECT_EQ(ini.ReadString("A", "X"), "1");
  EXPECT_EQ(ini.ReadString("B", "Y"), "2");
}

TEST(IniParse, DuplicateSectionsStaySeparate) {
  TMemIniFile ini;
  ini.SetText("[Dup]\r\nK=first\r\n[Other]\r\n[dup]\r\nK=second\r\nL=only here\r\n");
  ASSERT_EQ(ini.SectionCount(), 3);
  EXPECT_EQ(ini.Section(0).ReadString("K"), "first");
  EXPECT_EQ(ini.Section(2).ReadString("K"), "second");
  EXPECT_EQ(ini.Section(2).Name(), "dup");
  // Lookups by name see the first one only.
  EXPECT_EQ(ini.ReadString("DUP", "K"), "first");
  EXPECT_FALSE(ini.ValueExists("Dup", "L"));
  ini.EraseSection("Dup");
  ASSERT_EQ(ini.SectionCount(), 1);
  EXPECT_EQ(ini.Section(0).Name(), "Other");
  ini.WriteString("Other", "New", "v");
  EXPECT_EQ(ini.ReadString("other", "new"), "v");
}

TEST(IniParse, BinaryAndHighBytesDoNotBreakParsing) {
  std::string text = "[S\xE9]\r\nName=caf\xE9\r\n";
  text += std::string("\0\x01\xFF[\r\n=\r\n[", 10);
  TMemIniFile ini;
  ini.SetText(text);
  EXPECT_EQ(ini.ReadString("S\xE9", "Name"), "caf\xE9");
  EXPECT_EQ(ini.SectionCount(), 1);
}

TEST(IniWrite, WritesSectionsKeysAndBlankLineWithCrLf) {
  TMemIniFile ini;
  ini.WriteString("First", "A", "1");
  ini.WriteString("Second", "B", "2");
  ini.WriteString("first", "a", "one");  // replaces, keeps the stored spelling
  ini.WriteString("First", "C", "3");
  EXPECT_EQ(ini.GetText(), "[First]\r\nA=one\r\nC=3\r\n\r\n[Second]\r\nB=2\r\n\r\n");
  ini.DeleteKey("FIRST", "a");
  EXPECT_EQ(ini.GetText(), "[First]\r\nC=3\r\n\r\n[Second]\r\nB=2\r\n\r\n");
  ini.Clear();
  EXPECT_EQ(ini.GetText(), "");
}

TEST(IniWrite, TextSurvivesARoundTrip) {
  const std::string text = "[A]\r\nx=1\r\ny=\r\n\r\n[A]\r\nx=2\r\n\r\n[B b]\r\n\r\n";
  TMemIniFile ini;
  ini.SetText(text);
  EXPECT_EQ(ini.GetText(), text);
}

TEST(IniFileOnDisk, MissingFileIsEmptyAndUpdateWritesTheFile) {
  TTempFolder dir;
  TMemIniFile missing(dir.WidePath("none.ini"));
  EXPECT_EQ(missing.SectionCount(), 0);
  EXPECT_FALSE(dir.Exists("none.ini"));

  TMemIniFile ini(dir.WidePath("a.ini"));
  ini.WriteString("S", "K", "V");
  ini.UpdateFile();
  EXPECT_EQ(dir.Read("a.ini"), "[S]\r\nK=V\r\n\r\n");
  EXPECT_FALSE(dir.Exists("a.ini.saving"));

  TMemIniFile again(dir.WidePath("a.ini"));
  EXPECT_EQ(again.ReadString("s", "k"), "V");
  TMemIniFile empty(dir.WidePath("a.ini"), TIniOpen::Empty);
  EXPECT_EQ(empty.SectionCount(), 0);
}

TEST(IniFileOnDisk, AFolderInPlaceOfTheFileRaisesNamingIt) {
  TTempFolder dir;
  std::filesystem::create_directory(dir.Path("x.ini"));
  try {
    TMemIniFile ini(dir.WidePath("x.ini"));
    FAIL() << "a folder read as an INI file";
  } catch (const EStreamError& e) {
    EXPECT_NE(std::string(e.what()).find("x.ini"), std::string::npos) << e.what();
  }
}

}  // namespace
