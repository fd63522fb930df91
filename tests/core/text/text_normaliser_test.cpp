#include "core/text/text_normaliser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/charset_converter.h"
#include "core/text/cp932_tables.h"

namespace tolvane {
namespace {

struct Case {
  const char* name;
  std::string input;  // Shift_JIS
  std::string drop_spaces;
  std::string keep_spaces;
};

std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

TEST(TextNormaliserTest, FoldsAndDrops) {
  const std::vector<Case> cases = {
      {"full-width letters and digits", Sjis("ＡＢＣｘｙｚ０１２＠"), "abcxyz012@", "abcxyz012@"},
      {"ASCII spaces", "Hello  World", "helloworld", "hello  world"},
      {"full-width space", Sjis("Ａ　Ｂ"), "ab", "a b"},
      {"hiragana", Sjis("ぱそこん"), Sjis("ﾊﾟｿｺﾝ"), Sjis("ﾊﾟｿｺﾝ")},
      {"voiced katakana", Sjis("ガンダム ヴァイオリン"), Sjis("ｶﾞﾝﾀﾞﾑｳﾞｧｲｵﾘﾝ"),
       Sjis("ｶﾞﾝﾀﾞﾑ ｳﾞｧｲｵﾘﾝ")},
      {"prolonged sound mark", Sjis("ケーキｹｰｷ"), Sjis("ｹｷｹｷ"), Sjis("ｹｷｹｷ")},
      {"no half-width form", Sjis("ゐゑゎヮヵヶゝゞヽヾ"), Sjis("ヰヱヮヮヵヶヽヾヽヾ"),
       Sjis("ヰヱヮヮヵヶヽヾヽヾ")},
      {"Japanese punctuation", Sjis("「本」、。・゛゜"), Sjis("｢本｣｡ﾞﾟ"), Sjis("｢本｣｡ﾞﾟ")},
      {"separators", Sjis("Ａ－Ｂ．Ｃ，Ｄ a-b.c,d ･､"), "abcdabcd", "abcd abcd "},
      {"quotes and yen", Sjis("’”‘“￥"), "'\"`\"\\", "'\"`\"\\"},
      {"Greek, Cyrillic, Roman numerals", Sjis("ΑΩαАЯЁⅠⅩ"), Sjis("αωαаяёⅰⅹ"), Sjis("αωαаяёⅰⅹ")},
      {"kanji unchanged", Sjis("漢字表"), Sjis("漢字表"), Sjis("漢字表")},
      {"NEC and IBM duplicates", "\xEE\xF9\x87\x90\xED\x40", "\x81\xCA\x81\xE0\xFA\x5C",
       "\x81\xCA\x81\xE0\xFA\x5C"},
      {"unassigned code and stray bytes", "\x85\x40\x80\xA0\xFD\xFF", "\x85\x40\x80\xA0\xFD\xFF",
       "\x85\x40\x80\xA0\xFD\xFF"},
      {"lead before a non-trail", "\x82 X", "\x82x", "\x82 x"},
      {"lone lead at the end", "AB\x82", "ab\x82", "ab\x82"},
      {"empty", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Normalise(c.input, false), c.drop_spaces) << c.name;
    EXPECT_EQ(Normalise(c.input, true), c.keep_spaces) << c.name;
  }
}

// Query words and item texts are folded alike, so folding must be stable:
// a folded word is found in the folded text it came from. Checked over every
// code, with a neighbour on each side to catch entries that eat too much.
TEST(TextNormaliserTest, EveryCodeFoldsOnceAndNeverGrows) {
  std::vector<std::string> codes;
  for (int b = 0; b < 256; ++b) {
    if (!cp932::IsLead(static_cast<unsigned char>(b)))
      codes.push_back(std::string(1, static_cast<char>(b)));
    if (!cp932::IsLead(static_cast<unsigned char>(b))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (cp932::IsTrail(static_cast<unsigned char>(trail))) {
        codes.push_back({static_cast<char>(b), static_cast<char>(trail)});
      }
    }
  }
  for (const bool keep : {false, true}) {
    std::string reused;
    for (const std::string& code : codes) {
      const std::string text = "x" + code + "y";
      const std::string once = Normalise(text, keep);
      ASSERT_LE(once.size(), text.size())
          << std::hex << static_cast<int>(static_cast<unsigned char>(code[0]));
      ASSERT_EQ(once.front(), 'x');
      ASSERT_EQ(once.back(), 'y');
      NormaliseInto(once, keep, reused);
      ASSERT_EQ(reused, once) << "code " << std::hex
                              << static_cast<int>(static_cast<unsigned char>(code[0]));
    }
  }
}

}  // namespace
}  // namespace tolvane
