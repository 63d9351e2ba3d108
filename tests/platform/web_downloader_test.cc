#include "platform/web_downloader.h"

#include <chrono>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/download_limits.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/test_http_server.h"
#include "tests/support/test_slowdown.h"

namespace {

constexpr std::size_t kLimit = 1 << 20;
using Fault = TestHttpServer::Fault;

// Bytes that differ from their neighbours, so a chunk out of place or lost
// shows up in the comparison.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
  return bytes;
}

class WebDownloaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start());
    downloader_ = CreateWebDownloader();
    ASSERT_NE(downloader_, nullptr);
  }

  TestHttpServer server_;
  std::unique_ptr<WebDownloader> downloader_;
};

TEST_F(WebDownloaderTest, AnswersGiveTheirWholeBodyWhateverTheStatus) {
  struct Case {
    const char* name;
    int status;
    std::string body;
    bool received;
  };
  const Case cases[] = {
      {"empty answer gives nothing", 200, "", false},
      {"one byte", 200, "x", true},
      {"exactly one read chunk", 200, Pattern(65535), true},
      {"one byte more than a chunk", 200, Pattern(65536), true},
      {"200,000 bytes joined in order", 200, Pattern(200000), true},
      {"a not-found page is data", 404, "<html>no such page</html>", true},
      {"a server error page is data", 500, "broken", true},
      {"zero bytes are kept", 200, std::string("ab\0cd", 5), true},
      {"CR LF kept as sent", 200, "a\r\nb\r\n", true},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = "/case" + std::to_string(index++);
    server_.SetResponse(path, c.status, c.body);
    std::string data = "left over";
    EXPECT_EQ(downloader_->DownloadToMemory(server_.Url(path), kLimit, &data), c.received);
    EXPECT_EQ(data.size(), c.received ? c.body.size() : 0u);
    EXPECT_TRUE(data == (c.received ? c.body : std::string())) << "contents differ";
    EXPECT_EQ(server_.RequestCount(path), 1);
  }
}

TEST_F(WebDownloaderTest, AnUnknownPathGivesTheServersNotFoundPage) {
  std::string data;
  EXPECT_TRUE(downloader_->DownloadToMemory(server_.Url("/nowhere"), kLimit, &data));
  EXPECT_FALSE(data.empty());
  EXPECT_EQ(server_.RequestCount("/nowhere"), 1);
}

TEST_F(WebDownloaderTest, NothingComesFromAPortWhereNothingListens) {
  TestHttpServer gone;
  ASSERT_TRUE(gone.Start());
  std::string address = gone.Url("/def.txt");
  gone.Stop();
  std::string data = "left over";
  EXPECT_FALSE(downloader_->DownloadToMemory(address, kLimit, &data));
  EXPECT_EQ(data, "");
}

TEST_F(WebDownloaderTest, AddressesThatCannotBeOpenedGiveNothing) {
  for (const char* address : {"", "not an address", "http://", "gopher://127.0.0.1:1/"}) {
    SCOPED_TRACE(address);
    std::string data = "left over";
    EXPECT_FALSE(downloader_->DownloadToMemory(address, kLimit, &data));
    EXPECT_EQ(data, "");
  }
}

TEST_F(WebDownloaderTest, EachCallStandsAlone) {
  server_.SetResponse("/a", 200, "first");
  server_.SetResponse("/b", 200, "second");
  std::string data;
  ASSERT_TRUE(downloader_->DownloadToMemory(server_.Url("/a"), kLimit, &data));
  EXPECT_EQ(data, "first");
  ASSERT_TRUE(downloader_->DownloadToMemory(server_.Url("/b"), kLimit, &data));
  EXPECT_EQ(data, "second");
}

// Whatever a server does, the download ends within its deadline (plus the
// time a loaded machine takes to notice), holds no more than its limit, and
// gives nothing, or what arrived before the server broke the connection off.
TEST_F(WebDownloaderTest, BrokenAndHostileServersEndWithinTheDeadline) {
  const std::string body = Pattern(4000);
  const std::uint64_t huge = 300ull << 20;
  struct Case {
    const char* name;
    Fault fault;
    std::string body;
    std::uint64_t size;
    bool received;
    std::string data;  // what arrived, when received
  };
  const Case cases[] = {
      {"silent after the request", Fault::kSilent, body, 0, false, ""},
      {"stalls in the middle of the body", Fault::kStallMidBody, body, 0, false, ""},
      {"drips a byte a second", Fault::kDrip, "short body", 0, false, ""},
      {"redirects to itself", Fault::kRedirectToSelf, "", 0, false, ""},
      {"300 MB announced", Fault::kHugeBody, "", huge, false, ""},
      {"300 MB unannounced", Fault::kHugeUnannounced, "", huge, false, ""},
      {"claims 300 MB, sends a little", Fault::kHugeLength, body, huge, false, ""},
      {"claims twice what it sends: what came is kept", Fault::kLongerLength, body, 0, true, body},
      {"resets midway: what came is kept", Fault::kReset, body, 0, true, body.substr(0, 2000)},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = "/hostile" + std::to_string(index++);
    server_.SetFault(path, c.fault, c.body, c.size);
    std::string data = "left over";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(downloader_->DownloadToMemory(server_.Url(path), kLimit, &data), c.received);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, download_limits::kDeadlineMs / 1000.0 + 3 * TestSlowdown());
    EXPECT_TRUE(data == c.data) << "received " << data.size() << " bytes";
  }
  EXPECT_EQ(server_.RequestCount("/hostile3"), download_limits::kMaxRedirects + 1);
}

TEST_F(WebDownloaderTest, RedirectsAreFollowedUpToTheLimit) {
  // /chainN redirects N times before the answer.
  for (int length : {1, download_limits::kMaxRedirects, download_limits::kMaxRedirects + 1}) {
    SCOPED_TRACE(length);
    std::string prefix = "/chain" + std::to_string(length) + "-";
    for (int hop = 0; hop < length; ++hop) {
      server_.SetFault(prefix + std::to_string(hop), Fault::kRedirectTo,
                       prefix + std::to_string(hop + 1));
    }
    server_.SetResponse(prefix + std::to_string(length), 200, "arrived");
    std::string data;
    bool within = length <= download_limits::kMaxRedirects;
    EXPECT_EQ(downloader_->DownloadToMemory(server_.Url(prefix + "0"), kLimit, &data), within);
    EXPECT_EQ(data, within ? "arrived" : "");
  }
}

TEST_F(WebDownloaderTest, TheSizeLimitIsInclusive) {
  struct Case {
    const char* name;
    Fault fault;
    std::size_t size;
    bool received;
  };
  const Case cases[] = {
      {"announced, exactly the limit", Fault::kNone, kLimit, true},
      {"announced, one byte over", Fault::kNone, kLimit + 1, false},
      {"unannounced, exactly the limit", Fault::kHugeUnannounced, kLimit, true},
      {"unannounced, one byte over", Fault::kHugeUnannounced, kLimit + 1, false},
  };
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = "/sized" + std::to_string(index++);
    if (c.fault == Fault::kNone) {
      server_.SetResponse(path, 200, std::string(c.size, 'x'));
    } else {
      server_.SetFault(path, c.fault, "", c.size);
    }
    std::string data;
    EXPECT_EQ(downloader_->DownloadToMemory(server_.Url(path), kLimit, &data), c.received);
    EXPECT_EQ(data.size(), c.received ? c.size : 0u);
  }
}

TEST(WebDownloaderSaveToFile, WritesExactlyTheBytesGiven) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"zero bytes make an empty file", ""},
      {"line ends are not translated", "a\nb\r\nc\r"},
      {"zero bytes inside", std::string("\0x\0", 3)},
      {"larger than a read chunk", Pattern(200000)},
  };
  std::unique_ptr<WebDownloader> downloader = CreateWebDownloader();
  DriveLetterDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A longer earlier content must not survive the save.
    ASSERT_TRUE(dir.Write("saved.bin", std::string(300000, 'z')));
    EXPECT_TRUE(downloader->SaveToFile(dir.PathOf("saved.bin"), c.bytes.data(), c.bytes.size()));
    EXPECT_TRUE(dir.Read("saved.bin") == c.bytes) << "contents differ";
  }
}

TEST(WebDownloaderSaveToFile, CreatesAMissingFile) {
  std::unique_ptr<WebDownloader> downloader = CreateWebDownloader();
  DriveLetterDir dir;
  ASSERT_EQ(dir.Read("new.bin"), "");
  EXPECT_TRUE(downloader->SaveToFile(dir.PathOf("new.bin"), "abc", 3));
  EXPECT_EQ(dir.Read("new.bin"), "abc");
}

// A save that cannot open its file reports it, rather than passing a failed
// save off as a good one.
TEST(WebDownloaderSaveToFile, AFileThatCannotBeOpenedIsAFailure) {
  std::unique_ptr<WebDownloader> downloader = CreateWebDownloader();
  DriveLetterDir dir;
  std::string path = dir.PathOf("no-such-directory") + "/" + "sub\\file.bin";
  EXPECT_FALSE(downloader->SaveToFile(path, "abc", 3));
  EXPECT_FALSE(downloader->SaveToFile("", "abc", 3));
}

}  // namespace
