#include "images/image_strip.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/images/bmp_file.h"
#include "tests/images/strip_files.h"
#include "tests/images/temp_directory.h"
#include "tests/support/test_http_server.h"

namespace {

std::string Plain(int width, int height, COLORREF colour) {
  return BitmapFileBytes(width, height, [colour](int, int) { return colour; });
}

// Names of the entries of a directory, for checking that nothing appeared.
std::set<std::string> Entries(const std::string& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The strip cached beside the module is 160 x 16; the server offers another
// one, 32 x 8, so the size tells where a loaded bitmap came from.
class ImageStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start());
    cache_ = root_.path() + "\\module";
    base_ = root_.path() + "\\base";
    std::filesystem::create_directories(cache_);
    std::filesystem::create_directories(base_);
    cached_ = Plain(160, 16, RGB(10, 20, 30));
    served_ = Plain(32, 8, RGB(40, 50, 60));
    server_.SetResponse("/images/strip.bmp", 200, served_);
  }

  void PutCacheFile(const std::string& name) {
    ASSERT_TRUE(WriteBytes(cache_ + "\\" + name, cached_));
  }

  TempDirectory root_;
  std::string cache_;
  std::string base_;
  std::string cached_;
  std::string served_;
  TestHttpServer server_;
  ImageStrip strip_;
};

TEST_F(ImageStripTest, DotLocationLoadsFromTheBaseDirectoryOnly) {
  ASSERT_TRUE(WriteBytes(base_ + "\\strip.bmp", cached_));
  ASSERT_TRUE(WriteBytes(base_ + "\\served.bmp", served_));
  struct Case {
    const char* location;
    int width;
  } cases[] = {
      {".\\strip.bmp", 160},
      {".\\strip.bmp   ", 160},
      {".\\served.bmp", 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location);
    for (bool refresh : {false, true}) {
      ASSERT_TRUE(strip_.Load(cache_, c.location, base_, refresh));
      EXPECT_NE(strip_.bitmap(), nullptr);
      EXPECT_EQ(strip_.width(), c.width);
    }
  }
  EXPECT_TRUE(Entries(cache_).empty()) << "the cache is not involved";
  EXPECT_FALSE(strip_.Load(cache_, ".\\missing.bmp", base_, false));
  EXPECT_EQ(strip_.bitmap(), nullptr);
}

TEST_F(ImageStripTest, CacheHitWithoutRefreshMakesNoRequest) {
  PutCacheFile("strip.bmp");
  ASSERT_TRUE(strip_.Load(cache_, server_.Url("/images/strip.bmp"), base_, false));
  EXPECT_EQ(strip_.width(), 160);
  EXPECT_EQ(strip_.height(), 16);
  EXPECT_EQ(server_.RequestCount("/images/strip.bmp"), 0);
}

TEST_F(ImageStripTest, LocationWithoutSlashIsTheCacheName) {
  PutCacheFile("strip.bmp");
  ASSERT_TRUE(strip_.Load(cache_, "strip.bmp", base_, false));
  EXPECT_EQ(strip_.width(), 160);
}

TEST_F(ImageStripTest, MissingCacheFileIsDownloadedAndKept) {
  const std::string address = server_.Url("/images/strip.bmp");
  ASSERT_TRUE(strip_.Load(cache_, address, base_, false));
  EXPECT_EQ(strip_.width(), 32);
  EXPECT_EQ(strip_.height(), 8);
  EXPECT_EQ(server_.RequestCount("/images/strip.bmp"), 1);
  EXPECT_EQ(ReadBytes(cache_ + "\\strip.bmp"), served_);

  // The next start-up takes the kept file.
  ImageStrip later;
  ASSERT_TRUE(later.Load(cache_, address, base_, false));
  EXPECT_EQ(later.width(), 32);
  EXPECT_EQ(server_.RequestCount("/images/strip.bmp"), 1);
}

TEST_F(ImageStripTest, RefreshDownloadsAndRewritesTheCacheEveryTime) {
  PutCacheFile("strip.bmp");
  const std::string address = server_.Url("/images/strip.bmp");
  for (int load = 1; load <= 2; ++load) {
    SCOPED_TRACE("load " + std::to_string(load));
    ASSERT_TRUE(strip_.Load(cache_, address, base_, true));
    EXPECT_EQ(strip_.width(), 32);
    EXPECT_EQ(server_.RequestCount("/images/strip.bmp"), load);
    EXPECT_EQ(ReadBytes(cache_ + "\\strip.bmp"), served_);
  }
}

TEST_F(ImageStripTest, RefreshWithTheServerGoneFailsDespiteTheCache) {
  PutCacheFile("strip.bmp");
  const std::string address = server_.Url("/images/strip.bmp");
  ASSERT_TRUE(strip_.Load(cache_, address, base_, false));
  server_.Stop();
  EXPECT_FALSE(strip_.Load(cache_, address, base_, true));
  EXPECT_EQ(strip_.bitmap(), nullptr) << "the bitmap held before is gone";
  EXPECT_EQ(ReadBytes(cache_ + "\\strip.bmp"), cached_);
}

TEST_F(ImageStripTest, FailuresHoldNoBitmap) {
  server_.SetResponse("/images/text.bmp", 200, "not a bitmap");
  struct Case {
    std::string location;
    const char* what;
  } cases[] = {
      {"", "empty location"},
      {server_.Url("/images/text.bmp"), "a body that is no bitmap"},
      {server_.Url("/images/"), "nothing after the last slash"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutCacheFile("strip.bmp");
    ASSERT_TRUE(strip_.Load(cache_, "strip.bmp", base_, false));
    EXPECT_FALSE(strip_.Load(cache_, c.location, base_, true));
    EXPECT_EQ(strip_.bitmap(), nullptr);
  }
}

// The cache name is the last "/" segment of an address that whoever serves
// the definition chooses. Any name that is not a plain file name inside the
// cache directory fails the load before anything is read, fetched or written.
TEST_F(ImageStripTest, UnsafeCacheNamesAreRefused) {
  const std::string outside = root_.path();
  ASSERT_TRUE(WriteBytes(outside + "\\outside.bmp", cached_));
  const std::set<std::string> outside_before = Entries(outside);
  const char* names[] = {
      "..\\outside.bmp",
      "..\\module\\..\\outside.bmp",
      "..",
      ".",
      "C:outside.bmp",
      "outside.bmp:stream",
      "CON",
      "con.bmp",
      "Nul",
      "aux.strip.bmp",
      "COM1.bmp",
      "lpt9",
      "strip.bmp?v=2",
      "a*b.bmp",
      "a\"b.bmp",
      "a<b.bmp",
      "a>b.bmp",
      "a|b.bmp",
      "tab\tname.bmp",
      "strip.bmp.",
      "strip.bmp ",
  };
  for (const char* name : names) {
    SCOPED_TRACE(std::string("cache name ") + name);
    const std::string path = std::string("/images/") + name;
    server_.SetResponse(path, 200, served_);
    for (bool refresh : {false, true}) {
      EXPECT_FALSE(strip_.Load(cache_, "http://127.0.0.1:" + std::to_string(server_.port()) + path,
                               base_, refresh));
      EXPECT_EQ(strip_.bitmap(), nullptr);
    }
    EXPECT_EQ(server_.RequestCount(path), 0);
  }
  EXPECT_TRUE(Entries(cache_).empty());
  EXPECT_EQ(Entries(outside), outside_before);
}

TEST_F(ImageStripTest, OrdinaryNamesNearTheReservedOnesAreKept) {
  for (const char* name : {"console.bmp", "com10.bmp", "my strip.bmp", "strip.v2.bmp"}) {
    SCOPED_TRACE(name);
    PutCacheFile(name);
    ASSERT_TRUE(strip_.Load(cache_, server_.Url(std::string("/images/") + name), base_, false));
    EXPECT_EQ(strip_.width(), 160);
  }
}

// The platform's loader trusts the file's headers; only files that pass the
// checks reach it, from every kind of location.
TEST_F(ImageStripTest, BrokenStripFilesFailTheLoadAndSoundOnesLoad) {
  int index = 0;
  for (const StripFileCase& c : StripFileCases()) {
    SCOPED_TRACE(c.name);
    const std::string name = "case" + std::to_string(index++) + ".bmp";
    ASSERT_TRUE(WriteBytes(base_ + "\\" + name, c.bytes));
    EXPECT_EQ(strip_.Load(cache_, ".\\" + name, base_, false), c.acceptable);
    if (c.acceptable) {
      EXPECT_EQ(strip_.width(), c.width);
      EXPECT_EQ(strip_.height(), c.height);
    } else {
      EXPECT_EQ(strip_.bitmap(), nullptr);
    }
    // The same file as a cache file, and as a download.
    ASSERT_TRUE(WriteBytes(cache_ + "\\" + name, c.bytes));
    server_.SetResponse("/images/" + name, 200, c.bytes);
    EXPECT_EQ(strip_.Load(cache_, server_.Url("/images/" + name), base_, false), c.acceptable);
    EXPECT_EQ(server_.RequestCount("/images/" + name), c.acceptable ? 0 : 1)
        << "a broken cache file is fetched anew";
    EXPECT_EQ(strip_.Load(cache_, server_.Url("/images/" + name), base_, true), c.acceptable);
  }
}

TEST_F(ImageStripTest, ABrokenCacheFileIsReplacedByAFreshDownload) {
  // As a strip cut short by a server, cached, and the server mended since.
  ASSERT_TRUE(WriteBytes(cache_ + "\\strip.bmp", served_.substr(0, 30)));
  const std::string address = server_.Url("/images/strip.bmp");
  ASSERT_TRUE(strip_.Load(cache_, address, base_, false));
  EXPECT_EQ(strip_.width(), 32);
  EXPECT_EQ(ReadBytes(cache_ + "\\strip.bmp"), served_);
  EXPECT_EQ(server_.RequestCount("/images/strip.bmp"), 1);
}

TEST_F(ImageStripTest, ABrokenOrOversizedDownloadLeavesTheCacheFileAlone) {
  const std::string address = server_.Url("/images/strip.bmp");
  struct Case {
    const char* name;
    TestHttpServer::Fault fault;
    std::string body;
    std::uint64_t size;
  };
  const Case cases[] = {
      {"cut short", TestHttpServer::Fault::kNone, served_.substr(0, served_.size() / 2), 0},
      {"not a bitmap", TestHttpServer::Fault::kNone, "<html>moved</html>", 0},
      {"300 MB", TestHttpServer::Fault::kHugeUnannounced, "", 300ull << 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutCacheFile("strip.bmp");
    if (c.fault == TestHttpServer::Fault::kNone) {
      server_.SetResponse("/images/strip.bmp", 200, c.body);
    } else {
      server_.SetFault("/images/strip.bmp", c.fault, c.body, c.size);
    }
    EXPECT_FALSE(strip_.Load(cache_, address, base_, true));
    EXPECT_EQ(strip_.bitmap(), nullptr);
    EXPECT_EQ(ReadBytes(cache_ + "\\strip.bmp"), cached_);
  }
}

TEST(ImageStripCacheName, LastSlashSegmentOrTheWholeLocation) {
  struct Case {
    const char* location;
    const char* name;
  } cases[] = {
      {"http://host/images/strip.bmp", "strip.bmp"},
      {"strip.bmp", "strip.bmp"},
      {"http://host/images/", "http://host/images/"},
      {"a/b/c", "c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageStrip::CacheFileName(c.location), c.name) << c.location;
  }
}

}  // namespace
