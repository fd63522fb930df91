#include "core/stores/clip_export.h"

#include <climits>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/text/charset_converter.h"
#include "support/failing_env.h"
#include "support/temp_dir.h"

namespace tolvane {
namespace {

using Status = ClipExport::Status;

class TableLookup : public EngineNameLookup {
 public:
  explicit TableLookup(std::map<int, std::string> names) : names_(std::move(names)) {}
  std::optional<std::string> EngineName(int engine_id) const override {
    const auto it = names_.find(engine_id);
    if (it == names_.end()) return std::nullopt;
    return it->second;
  }

 private:
  std::map<int, std::string> names_;
};

const TableLookup kEngines({{1010001, Utf8ToSjis("本の店")},
                            {INT_MAX, "Last & <best>"},
                            {INT_MIN, "First"}});

const std::string kHeader =
    "<html>\n"
    "<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n"
    "<title>クリップページ一覧</title>\n"
    "<style type=\"text/css\">\n"
    "<!--\n"
    ".page_title {font-weight:bold;font-size:1.1em;border-bottom:1px solid #999999;margin:0 0 "
    "10px 0;}\n"
    ".clip_title {font-weight:bold;font-size:1.1em;}\n"
    ".clip_link {margin:0 0 10px 10px;}\n"
    "-->\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<div class=\"page_title\">クリップページ一覧</div>";
const std::string kFooter = "</body>\n</html>\n";

std::string Link(const std::string& href, const std::string& text) {
  return "<div class=\"clip_link\">\n・<a href=\"" + href + "\">" + text + "</a>\n</div>\n";
}

std::string Heading(const std::string& name) {
  return "<div class=\"clip_title\">" + name + "</div>\n";
}

std::string OldFile(const std::string& count, const std::string& lines) {
  return "@@ClipList@@\r\n0\r\n0\r\n" + count + "\r\n" + lines;
}

TEST(ClipExportTest, GroupsByKeyWithEngineHeadingsAndEscapedText) {
  const std::string old_file =
      OldFile("9", Utf8ToSjis("1010001\t20\t本の題\thttp://books.example/?a=1&b=2\r\n"
                              "555\t10\t\thttp://nameless.example/\r\n"  // no engine, no title
                              "1010001\t20\t<b>\"Sale\"</b>\thttp://books.example/sale\r\n"
                              "1010001\t20\tshort line\r\n"
                              "555\t10\tSecond of key 10\thttp://nameless.example/2\r\n"
                              "2147483647\t2147483647\tTop\thttp://max.example/\r\n"
                              "-2147483648\t-2147483648\tBottom\thttp://min.example/\r\n"
                              "\r\n"
                              "1010001\t20\tLast\thttp://last.example/"));  // no final line end
  std::string html;
  ASSERT_EQ(ClipExport::Format(old_file, kEngines, &html), Status::kExported);
  const std::string expected =
      kHeader + Heading("First") + Link("http://min.example/", "Bottom") + Heading("無題") +
      Link("http://nameless.example/", "http://nameless.example/") +
      Link("http://nameless.example/2", "Second of key 10") + Heading("本の店") +
      Link("http://books.example/?a=1&amp;b=2", "本の題") +
      Link("http://books.example/sale", "&lt;b&gt;&quot;Sale&quot;&lt;/b&gt;") +
      Link("http://last.example/", "Last") + Heading("Last &amp; &lt;best&gt;") +
      Link("http://max.example/", "Top") + kFooter;
  EXPECT_EQ(SjisToUtf8(html), expected);
  EXPECT_EQ(html, Utf8ToSjis(expected));
}

TEST(ClipExportTest, DoubleByteTextIsKeptByteForByte) {
  // 0x83 0x5C and 0x95 0x5C end in a backslash byte; a stray lead byte
  // before '<' does not hide the '<' from a browser, so it is escaped.
  const std::string title = "\x83\x5C\x95\x5C\x83<\x81\x45";
  std::string html;
  ASSERT_EQ(ClipExport::Format(OldFile("1", "1\t1\t" + title + "\thttp://x/\r\n"), kEngines, &html),
            Status::kExported);
  const std::string link = "\">\x83\x5C\x95\x5C\x83&lt;\x81\x45</a>\n";
  EXPECT_NE(html.find(link), std::string::npos);
}

TEST(ClipExportTest, ManyRecordsKeepFileOrderWithinAGroup) {
  std::string lines;
  std::string odd_links;
  std::string even_links;
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    lines += "1\t" + std::to_string(1 - i % 2) + "\t" + n + "\thttp://x/" + n + "\r\n";
    (i % 2 ? odd_links : even_links) += Link("http://x/" + n, n);
  }
  std::string html;
  ASSERT_EQ(ClipExport::Format(OldFile("40", lines), kEngines, &html), Status::kExported);
  EXPECT_EQ(SjisToUtf8(html),
            kHeader + Heading("無題") + odd_links + Heading("無題") + even_links + kFooter);
}

TEST(ClipExportTest, OnlyOldFilesWithRecordsAreExported) {
  const struct {
    const char* name;
    std::string old_file;
    Status status;
  } kCases[] = {
      {"current layout", "@@ClipPageList@@\r\n0\r\n0\r\n1\r\n1\t2\tt\tu\r\n", Status::kWrongMarker},
      {"empty file", "", Status::kWrongMarker},
      {"marker with a space", "@@ClipList@@ \r\n0\r\n0\r\n1\r\n1\t2\tt\tu\r\n",
       Status::kWrongMarker},
      {"zero count", OldFile("0", "1\t2\tt\tu\r\n"), Status::kNoClips},
      {"negative count", OldFile("-3", "1\t2\tt\tu\r\n"), Status::kNoClips},
      {"no count", "@@ClipList@@\r\n0\r\n0\r\n", Status::kNoClips},
      {"LF only", "@@ClipList@@\n0\n0\n1\n1\t2\tt\tu\n", Status::kExported},
      {"short file", OldFile("5", "1\t2\tt\tu\r\n"), Status::kExported},
  };
  for (const auto& c : kCases) {
    testing::TempDir dir;
    testing::FailingEnv env(dir.path());
    testing::WriteFile(dir / "vq_clip.clf", c.old_file);
    EXPECT_EQ(ClipExport::Export(dir.path(), kEngines, env), c.status) << c.name;
    EXPECT_EQ(std::filesystem::exists(ClipExport::OutputPath(dir.path())),
              c.status == Status::kExported)
        << c.name;
    if (c.status == Status::kExported) {
      EXPECT_EQ(testing::ReadFile(ClipExport::OutputPath(dir.path())),
                Utf8ToSjis(kHeader + Heading("無題") + Link("u", "t") + kFooter))
          << c.name;
    }
  }
}

TEST(ClipExportTest, HugeClipFilesAreNotReadWhole) {
  testing::TempDir dir;
  testing::FailingEnv env(dir.path());
  const auto clips = dir / "vq_clip.clf";
  testing::WriteFile(clips, "");
  std::filesystem::resize_file(clips, 40ull << 30);  // sparse: costs no disk
  EXPECT_EQ(ClipExport::Export(dir.path(), kEngines, env), Status::kWrongMarker);
  testing::WriteFile(clips, OldFile("1", "1\t2\tt\tu\r\n"));
  std::filesystem::resize_file(clips, 40ull << 30);
  EXPECT_EQ(ClipExport::Export(dir.path(), kEngines, env), Status::kNoOldFile);
  EXPECT_EQ(env.replace_calls, 0);
}

TEST(ClipExportTest, NothingIsLeftWhenThePageCannotBeWritten) {
  testing::TempDir dir;
  testing::FailingEnv env(dir.path());
  EXPECT_EQ(ClipExport::Export(dir.path(), kEngines, env), Status::kNoOldFile);
  testing::WriteFile(dir / "vq_clip.clf", OldFile("1", "1\t2\tt\tu\r\n"));
  env.fail_every_replace = true;
  EXPECT_EQ(ClipExport::Export(dir.path(), kEngines, env), Status::kCannotCreate);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);  // the old file only: no page, no temporary file
  EXPECT_EQ(ClipExport::OutputPath(dir.path()).filename().string(), "クリップ.html");
}

}  // namespace
}  // namespace tolvane
