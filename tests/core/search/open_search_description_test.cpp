#include "core/search/open_search_description.h"

#include <gtest/gtest.h>

#include <string>

#include "core/files/string_table.h"
#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

std::string Describe(std::string_view document) {
  return SjisToUtf8(OpenSearchDescription::Parse(document).Describe());
}

std::string Description(std::string_view url, std::string_view encoding = "UTF-8") {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<OpenSearchDescription xmlns="http://a9.com/-/spec/opensearch/1.1/">
  <ShortName>本の店</ShortName>
  <InputEncoding>)" +
         std::string(encoding) + "</InputEncoding>\n" + std::string(url) +
         "\n</OpenSearchDescription>";
}

TEST(OpenSearchDescriptionTest, DescriptionsBecomeUserEngineValues) {
  // GET: {searchTerms} becomes $0, optional parameters go, required ones
  // get their usual values; "$", spaces and non-ASCII are escaped.
  EXPECT_EQ(Describe(Description(
                R"(<Url type="application/rss+xml" template="http://rss/?q={searchTerms}"/>
                   <Url type="text/html" template=" HTTPS://shop.example/s?q={searchTerms}&amp;p={startPage}&amp;n={count}&amp;o={geo:box?}&amp;c=$1 円"/>)",
                "Shift_JIS")),
            "本の店|https://shop.example/|"
            "https://shop.example/s?q=$0&p=1&n=20&o=&c=%241%20%E5%86%86||1");

  // POST: the form's Params become PostData; a GET Url's Params are added
  // to its query.
  EXPECT_EQ(
      Describe(Description(R"(<os:Url xmlns:os="x" type="text/html; charset=EUC-JP" method="post"
                      template="https://post.example/find" pageOffset="0">
                 <Param name="kw" value="{searchTerms}"/><Param name="pg" value="{startPage}"/>
                 <Param name="a&amp;b" value="x=y"/></os:Url>)",
                           "euc-jp")),
      "本の店|https://post.example/|https://post.example/find|kw=$0&pg=0&a%26b=x%3Dy|2");
  EXPECT_EQ(Describe(R"(<OpenSearchDescription><Url type="text/html" template="http://g/x?s=1">
      <Param name="q" value="{searchTerms}"/></Url></OpenSearchDescription>)"),
            "|http://g/|http://g/x?s=1&q=$0||3");

  // A Shift_JIS document is read through the program's converter; a line
  // break in a name becomes a space.
  const std::string sjis = Utf8ToSjis(
      "<?xml version='1.0' encoding='Shift_JIS'?><OpenSearchDescription>"
      "<ShortName><![CDATA[ 靴&\n鞄 ]]></ShortName>"
      "<Url type='text/html' template='http://k/?q={searchTerms}'/></OpenSearchDescription>");
  EXPECT_EQ(Describe(sjis), "靴& 鞄|http://k/|http://k/?q=$0||3");
}

TEST(OpenSearchDescriptionTest, MalformedOrHostileDescriptionsAreRefusedWithAMessage) {
  const std::string html = R"(<Url type="text/html" template="http://s/?q={searchTerms}"/>)";
  std::string deep = "<OpenSearchDescription>";
  for (int i = 0; i < 40; ++i) deep += "<a>";
  struct Case {
    std::string document;
    std::string expected;
  } cases[] = {
      {std::string(OpenSearchDescription::kMaxBytes + 1, ' '), "error 34682 "},
      {"", "error 34683 no root element at byte 0"},
      {"<OpenSearchDescription><Url>", "error 34683 unclosed element Url at byte 28"},
      {"<html>" + html + "</html>", "error 34683 html"},
      {"<!DOCTYPE x [<!ENTITY a 'b'>]><OpenSearchDescription/>",
       "error 34683 document type declarations are not read at byte 0"},
      {"<OpenSearchDescription>&a;</OpenSearchDescription>",
       "error 34683 unknown entity at byte 23"},
      {"<OpenSearchDescription>&#0;</OpenSearchDescription>",
       "error 34683 bad character reference at byte 23"},
      {deep, "error 34683 nested too deeply at byte 68"},
      {"<?xml version='1.0' encoding='EUC-JP'?><OpenSearchDescription/>",
       "error 34683 encoding=\"EUC-JP\""},
      {Description(R"(<Url type="application/json" template="http://s/?q={searchTerms}"/>)"),
       "error 34684 "},
      {Description(R"x(<Url type="text/html" template="javascript:alert({searchTerms})"/>)x"),
       "error 34686 javascript:alert({searchTerms})"},
      {Description(R"(<Url type="text/html" template="ftp://s/{searchTerms}"/>)"),
       "error 34686 ftp://s/{searchTerms}"},
      {Description(R"(<Url type="text/html" template="https:///{searchTerms}"/>)"),
       "error 34686 https:///{searchTerms}"},
      {Description(R"(<Url type="text/html" template="http://s{searchTerms}.example/"/>)"),
       "error 34686 http://s{searchTerms}.example/"},
      // User-info reads like one shop and goes to another host.
      {Description(
           R"(<Url type="text/html" template="https://shop.example@127.0.0.1/?q={searchTerms}"/>)"),
       "error 34694 https://shop.example@127.0.0.1/?q={searchTerms}"},
      {Description(R"(<Url type="text/html" template="http://u:p@s/?q={searchTerms}"/>)"),
       "error 34694 http://u:p@s/?q={searchTerms}"},
      {"<OpenSearchDescription><ShortName>Shop\x1b[2J</ShortName>" + html +
           "</OpenSearchDescription>",
       "error 34695 "},
      {"<OpenSearchDescription><ShortName>Shop\xC2\x9B</ShortName>" + html +
           "</OpenSearchDescription>",
       "error 34695 "},
      {Description(R"(<Url type="text/html" template="http://s/?q=a"/>)"), "error 34685 "},
      {Description(R"(<Url type="text/html" template="http://s/?q={searchTerms}&amp;t={time}"/>)"),
       "error 34688 time"},
      {Description(R"(<Url type="text/html" method="PUT" template="http://s/?q={searchTerms}"/>)"),
       "error 34689 PUT"},
      {Description(html, "ISO-2022-JP"), "error 34687 ISO-2022-JP"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(c.document), c.expected) << c.document.substr(0, 80);
  }
  const auto refused = OpenSearchDescription::Parse(Description(html, "Big5"));
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(
      SjisToUtf8(refused.Message()),
      "文字コード Big5 には対応していません。Shift_JIS、EUC-JP、UTF-8 のいずれかが必要です。");
  EXPECT_EQ(refused.engine().search_url, "");
  // An "@" after the host is part of the query.
  EXPECT_EQ(Describe(Description(
                R"(<Url type="text/html" template="http://s/?to=a@b&amp;q={searchTerms}"/>)")),
            "本の店|http://s/|http://s/?to=a@b&q=$0||3");
}

}  // namespace
}  // namespace tolvane
