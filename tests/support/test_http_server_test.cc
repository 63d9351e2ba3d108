#include "tests/support/test_http_server.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/web_downloader.h"

namespace {

std::string Fetch(const std::string& address) {
  std::string data;
  CreateWebDownloader()->DownloadToMemory(address, 1 << 20, &data);
  return data;
}

TEST(TestHttpServer, ServesWhatWasSetAndCountsRequestsPerPath) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  EXPECT_GT(server.port(), 0);
  EXPECT_EQ(server.Url("/x"), "http://127.0.0.1:" + std::to_string(server.port()) + "/x");

  server.SetResponse("/def.txt", 200, "first");
  EXPECT_EQ(Fetch(server.Url("/def.txt")), "first");
  server.SetResponse("/def.txt", 200, "second");
  EXPECT_EQ(Fetch(server.Url("/def.txt")), "second");
  server.SetResponse("/def.txt?v=2", 200, "query");
  EXPECT_EQ(Fetch(server.Url("/def.txt?v=2")), "query");

  EXPECT_EQ(server.RequestCount("/def.txt"), 2);
  EXPECT_EQ(server.RequestCount("/def.txt?v=2"), 1);
  EXPECT_EQ(server.RequestCount("/never"), 0);
}

TEST(TestHttpServer, UnknownPathsAnswerNotFoundWithABody) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  EXPECT_NE(Fetch(server.Url("/missing")), "");
  EXPECT_EQ(server.RequestCount("/missing"), 1);
}

TEST(TestHttpServer, StopClosesThePortAndIsSafeTwice) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  EXPECT_FALSE(server.Start());
  server.SetResponse("/a", 200, "a");
  std::string address = server.Url("/a");
  server.Stop();
  server.Stop();
  EXPECT_EQ(Fetch(address), "");
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(Fetch(server.Url("/a")), "a");
}

}  // namespace
