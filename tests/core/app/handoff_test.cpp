#include "core/app/handoff.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvane {
namespace {

TEST(HandoffTest, OneSocketPerDataDirectoryBesideTheLock) {
  const auto a = handoff::SocketPath("/run/user/1000", "/home/u/data");
  EXPECT_EQ(a.parent_path(), std::filesystem::path("/run/user/1000"));
  EXPECT_EQ(a.filename().string().size(), std::string("tolvane-0123456789abcdef.sock").size());
  EXPECT_EQ(a, handoff::SocketPath("/run/user/1000", "/home/u/other/../data/"));
  EXPECT_NE(a, handoff::SocketPath("/run/user/1000", "/home/u/data2"));
}

TEST(HandoffTest, FilesAreSentAbsoluteAndOnlyOneLineIsTaken) {
  EXPECT_EQ(handoff::Message("http://127.0.0.1/x?q=1", "/cwd"), "http://127.0.0.1/x?q=1");
  EXPECT_EQ(handoff::Message("about:blank", "/cwd"), "about:blank");
  EXPECT_EQ(handoff::Message("shop.url", "/cwd"), "/cwd/shop.url");
  EXPECT_EQ(handoff::Message("../s/shop.url", "/cwd/sub"), "/cwd/s/shop.url");
  EXPECT_EQ(handoff::Message("/abs/shop.url", "/cwd"), "/abs/shop.url");
  EXPECT_EQ(handoff::Message("c:shop.url", "/cwd"), "/cwd/c:shop.url");
  // A host name typed without its scheme is a web address unless such a file is there.
  EXPECT_EQ(handoff::Message("www.example.jp/a?q=1", "/cwd"), "http://www.example.jp/a?q=1");
  EXPECT_EQ(handoff::Message("page.HTML", "/cwd"), "/cwd/page.HTML");
  EXPECT_EQ(handoff::Message("notes", "/cwd"), "/cwd/notes");
  EXPECT_EQ(handoff::Message("a b.jp", "/cwd"), "/cwd/a b.jp");
  EXPECT_EQ(handoff::Message("bin", "/"), "/bin");
  EXPECT_EQ(handoff::Message("tmp/../etc", "/"), "/etc");

  EXPECT_EQ(handoff::ReadMessage("http://a/"), "http://a/");
  EXPECT_EQ(handoff::ReadMessage("/ファイル.url"), "/ファイル.url");
  EXPECT_EQ(handoff::ReadMessage(""), std::nullopt);
  EXPECT_EQ(handoff::ReadMessage("http://a/\nhttp://b/"), std::nullopt);
  EXPECT_EQ(handoff::ReadMessage(std::string(handoff::kMaxMessageBytes + 1, 'a')), std::nullopt);
}

}  // namespace
}  // namespace tolvane
