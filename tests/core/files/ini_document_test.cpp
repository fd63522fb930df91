#include "core/files/ini_document.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tolvane {
namespace {

TEST(IniDocumentReadTest, AcceptsCrLfLfAndMissingFinalLineFeed) {
  for (const char* text : {"[S]\r\na=1\r\nb=2\r\n", "[S]\na=1\nb=2\n", "[S]\r\na=1\nb=2"}) {
    IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.GetString("S", "a", "-"), "1") << text;
    EXPECT_EQ(doc.GetString("S", "b", "-"), "2") << text;
  }
  EXPECT_EQ(IniDocument::Parse("").Serialize(), "");
  EXPECT_EQ(IniDocument::Parse("[S]\nb=2").Serialize(), "[S]\r\nb=2\r\n");
}

TEST(IniDocumentReadTest, NamesIgnoreAsciiCaseAndSurroundingBlanks) {
  IniDocument doc = IniDocument::Parse("  [ OptionMain ]  \r\n\t StartMode \t= 3\r\n");
  EXPECT_EQ(doc.GetInt("optionmain", "STARTMODE", 0), 3);
  EXPECT_EQ(doc.GetInt(" OPTIONmain ", "startMode ", 0), 3);
  EXPECT_TRUE(doc.HasSection("OPTIONMAIN"));
}

TEST(IniDocumentReadTest, DoubleByteNamesCompareExactly) {
  // 0x83 0x41 and 0x83 0x61 are two different katakana whose second bytes
  // are "A" and "a"; folding the second byte would merge them.
  IniDocument doc = IniDocument::Parse(
      "[\x83\x41]\r\nk=upper\r\n[\x83\x61]\r\nk=lower\r\n"
      "[S]\r\n\x83\x41=key-upper\r\n");
  EXPECT_EQ(doc.GetString("\x83\x41", "k", ""), "upper");
  EXPECT_EQ(doc.GetString("\x83\x61", "k", ""), "lower");
  EXPECT_EQ(doc.GetString("S", "\x83\x41", ""), "key-upper");
  EXPECT_EQ(doc.GetString("S", "\x83\x61", "none"), "none");
  // Single-byte letters next to a double-byte character still fold.
  EXPECT_EQ(doc.GetString("s", "\x83\x41", ""), "key-upper");
}

TEST(IniDocumentReadTest, BracketAsSecondByteDoesNotEndTheSectionName) {
  // 0x83 0x5D: the second byte is "]".
  IniDocument doc = IniDocument::Parse("[\x83\x5D]\r\nk=v\r\n[a]b] tail\r\nx=y\r\n");
  EXPECT_EQ(doc.GetString("\x83\x5D", "k", ""), "v");
  EXPECT_EQ(doc.GetString("a]b", "x", ""), "y");
  // Nor does one after the real closing bracket, nor one standing alone.
  IniDocument trailing = IniDocument::Parse("[A] \x83\x5D\r\nk=1\r\n[\x83\x5D\r\nj=2\r\n");
  EXPECT_EQ(trailing.SectionNames(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(trailing.GetInt("A", "j", 0), 2);

  IniDocument written;
  ASSERT_TRUE(written.SetValue("\x83\x5D\x83\x5D", "k", "w"));
  EXPECT_EQ(IniDocument::Parse(written.Serialize()).GetString("\x83\x5D\x83\x5D", "k", ""), "w");
}

TEST(IniDocumentReadTest, ValuesAreTrimmedAndLoseOneMatchingPairOfQuotes) {
  IniDocument doc = IniDocument::Parse(
      "[S]\n"
      "plain=  a b  \n"
      "double= \"  x  \" \n"
      "single='y'\n"
      "mixed='z\"\n"
      "lone=\"\n"
      "nested=\"'q'\"\n"
      "empty=\n");
  EXPECT_EQ(doc.GetString("S", "plain", ""), "a b");
  EXPECT_EQ(doc.GetString("S", "double", ""), "  x  ");
  EXPECT_EQ(doc.GetString("S", "single", ""), "y");
  EXPECT_EQ(doc.GetString("S", "mixed", ""), "'z\"");
  EXPECT_EQ(doc.GetString("S", "lone", ""), "\"");
  EXPECT_EQ(doc.GetString("S", "nested", ""), "'q'");
  // A present but empty key is not missing.
  EXPECT_EQ(doc.GetString("S", "empty", "default"), "");
  EXPECT_EQ(doc.GetString("S", "absent", "default"), "default");
  EXPECT_EQ(doc.GetInt("S", "double", 7), 7);
}

TEST(IniDocumentReadTest, IgnoresCommentsStrayLinesAndKeysOutsideSections) {
  IniDocument doc = IniDocument::Parse(
      "top=1\n"
      "[S]\n"
      ";a=commented\n"
      "no equals sign\n"
      "=no key\n"
      "[unterminated\n"
      "a=real\n");
  EXPECT_FALSE(doc.FindValue("", "top"));
  EXPECT_EQ(doc.GetString("S", "a", ""), "real");
  EXPECT_FALSE(doc.HasSection("unterminated"));
  EXPECT_EQ(doc.KeyNames("S"), (std::vector<std::string>{"a"}));
}

TEST(IniDocumentReadTest, FirstSectionAndFirstKeyWin) {
  IniDocument doc = IniDocument::Parse("[S]\nk=1\nK=2\n[T]\nk=t\n[s]\nk=3\nonly=4\n");
  EXPECT_EQ(doc.GetInt("S", "k", 0), 1);
  // The second [s] is never looked at, not even for keys the first lacks.
  EXPECT_EQ(doc.GetInt("S", "only", -1), -1);
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"S", "T"}));
}

TEST(IniDocumentReadTest, ByteOrderMarkIsSkippedAndKeptAndCrAloneEndsALine) {
  IniDocument doc = IniDocument::Parse("\xEF\xBB\xBF[S]\rk=1\r\rj=2\nl=3\r\n");
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"S"}));
  EXPECT_EQ(doc.KeyNames("S"), (std::vector<std::string>{"k", "j", "l"}));
  EXPECT_EQ(doc.Serialize(), "\xEF\xBB\xBF[S]\r\nk=1\r\n\r\nj=2\r\nl=3\r\n");
}

TEST(IniDocumentIntTest, TakesTheLeadingDecimalNumber) {
  struct Case {
    const char* text;
    int expected;
  };
  for (const Case& c :
       {Case{"12abc", 12}, Case{"-5", -5}, Case{" +7", 7}, Case{"007", 7}, Case{"0x1F", 0},
        Case{"3.9", 3}, Case{"abc", 99}, Case{"", 99}, Case{"-", 99}, Case{"+", 99},
        Case{"- 5", 99}, Case{"--5", 99}, Case{"2147483647", INT_MAX}, Case{"2147483648", INT_MAX},
        Case{"99999999999999999999999", INT_MAX}, Case{"-2147483648", INT_MIN},
        Case{"-2147483649", INT_MIN}, Case{"-99999999999999999999", INT_MIN}}) {
    EXPECT_EQ(IniDocument::ParseLeadingInt(c.text, 99), c.expected) << c.text;
  }
  IniDocument doc = IniDocument::Parse("[S]\nq=\"42\"\n");
  EXPECT_EQ(doc.GetInt("S", "q", 0), 42);
  EXPECT_EQ(doc.GetInt("S", "missing", -1), -1);
  EXPECT_EQ(doc.GetInt("Missing", "q", -1), -1);
}

TEST(IniDocumentWriteTest, ReplacesAKeyAndKeepsEveryOtherLine) {
  IniDocument doc = IniDocument::Parse(
      "; settings\n"
      "[A]\n"
      "  Width = 10 \n"
      "odd line\n"
      "\n"
      "[B]\n"
      "x=1");
  ASSERT_TRUE(doc.SetValue("a", "width", "250"));
  EXPECT_EQ(doc.Serialize(),
            "; settings\r\n"
            "[A]\r\n"
            "Width=250\r\n"
            "odd line\r\n"
            "\r\n"
            "[B]\r\n"
            "x=1\r\n");
}

TEST(IniDocumentWriteTest, AddsKeysAtTheEndOfTheirSectionAndNewSectionsAtTheEnd) {
  IniDocument doc = IniDocument::Parse("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(doc.SetValue("A", "z", "3"));
  ASSERT_TRUE(doc.SetValue("C", "w", "4"));
  EXPECT_EQ(doc.Serialize(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");

  IniDocument empty_section = IniDocument::Parse("[A]\n");
  ASSERT_TRUE(empty_section.SetValue("A", "k", "v"));
  EXPECT_EQ(empty_section.Serialize(), "[A]\r\nk=v\r\n");
}

TEST(IniDocumentWriteTest, RefusesWhatCouldNotBeReadBack) {
  const std::string before = "[A]\r\nx=1\r\n";
  IniDocument doc = IniDocument::Parse(before);
  EXPECT_FALSE(doc.SetValue("A", "x", "line\r\n[Injected]"));
  EXPECT_FALSE(doc.SetValue("A", "x", std::string("nul\0", 4)));
  EXPECT_FALSE(doc.SetValue("A", "a=b", "1"));
  EXPECT_FALSE(doc.SetValue("A", ";k", "1"));
  EXPECT_FALSE(doc.SetValue("A", "[k", "1"));
  EXPECT_FALSE(doc.SetValue("A", "  ", "1"));
  EXPECT_FALSE(doc.SetValue("", "k", "1"));
  EXPECT_FALSE(doc.SetValue("New\nSection", "k", "1"));
  // A lone first byte of a double-byte character would swallow the "]".
  EXPECT_FALSE(doc.SetValue("A\x83", "k", "1"));
  EXPECT_FALSE(doc.ReplaceSection("A", {"fine=1", "no equals sign"}));
  EXPECT_FALSE(doc.ReplaceSection("A", {"x=1\r\ny=2"}));
  EXPECT_EQ(doc.Serialize(), before);
}

TEST(IniDocumentSectionTest, ReplaceSectionSwapsTheBodyAndKeepsOtherSections) {
  const std::string other = "; head\r\n[Keep]\r\n  a = 1 \r\n\r\n";
  IniDocument doc = IniDocument::Parse(other +
                                       "[MRU]\r\nNumItems=2\r\nURL1=old\r\n; note\r\n\r\n"
                                       "[Tail]\r\nb=2\r\n"
                                       "[mru]\r\nURL9=stale\r\n");
  ASSERT_TRUE(doc.ReplaceSection("MRU", {"NumItems=1", "URL1=new"}));
  EXPECT_EQ(doc.Serialize(), other + "[MRU]\r\nNumItems=1\r\nURL1=new\r\n\r\n[Tail]\r\nb=2\r\n");
  EXPECT_FALSE(doc.FindValue("MRU", "URL9"));

  ASSERT_TRUE(doc.ReplaceSection("AddressList", {"NumItems=0"}));
  EXPECT_EQ(doc.GetInt("AddressList", "NumItems", -1), 0);
  ASSERT_TRUE(doc.ReplaceSection("AddressList", {}));
  EXPECT_TRUE(doc.HasSection("AddressList"));
  EXPECT_TRUE(doc.KeyNames("AddressList").empty());
}

TEST(IniDocumentSectionTest, DeletesEveryCopyOfASectionOrKey) {
  IniDocument doc = IniDocument::Parse("[A]\nk=1\nK=2\nj=3\n[B]\nb=1\n[a]\nk=4\n");
  EXPECT_TRUE(doc.DeleteKey("A", "k"));
  EXPECT_FALSE(doc.FindValue("A", "k"));
  EXPECT_EQ(doc.GetInt("A", "j", 0), 3);
  EXPECT_FALSE(doc.DeleteKey("A", "k"));

  EXPECT_TRUE(doc.DeleteSection("A"));
  EXPECT_FALSE(doc.HasSection("A"));
  EXPECT_EQ(doc.Serialize(), "[B]\r\nb=1\r\n");
  EXPECT_FALSE(doc.DeleteSection("A"));
}

TEST(IniDocumentRobustnessTest, LargeInputsStayLinear) {
  // Each of these would take minutes with per-line rescans or erases.
  std::string many_sections;
  for (int i = 0; i < 200000; ++i) many_sections += "[S]\nk=1\n";
  IniDocument doc = IniDocument::Parse(many_sections);
  EXPECT_EQ(doc.SectionNames().size(), 1u);
  EXPECT_TRUE(doc.ReplaceSection("s", {"k=2"}));
  EXPECT_EQ(doc.Serialize(), "[S]\r\nk=2\r\n");

  std::string many_keys = "[S]\n";
  for (int i = 0; i < 200000; ++i) many_keys += "k=" + std::to_string(i) + "\n";
  doc = IniDocument::Parse(many_keys);
  EXPECT_EQ(doc.GetInt("S", "k", -1), 0);
  EXPECT_TRUE(doc.DeleteKey("S", "K"));
  EXPECT_EQ(doc.Serialize(), "[S]\r\n");

  doc = IniDocument::Parse("[" + std::string(4 << 20, '\x83'));
  EXPECT_TRUE(doc.SectionNames().empty());
}

}  // namespace
}  // namespace tolvane
