// The real module in qelhost against servers and files that misbehave: the
// browser window must come up within the download deadline, with the
// toolbar or without it, and the host must never crash; one host process
// must give back everything it took over hundreds of frames.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/download_limits.h"
#include "tests/e2e/toolbar_stage.h"
#include "tests/images/bmp_file.h"
#include "tests/images/strip_files.h"
#include "tests/support/session_lock.h"
#include "tests/support/test_slowdown.h"

namespace {

using Fault = TestHttpServer::Fault;

constexpr int kStripHeight = 20;
// A hung host is ended here, far beyond any deadline, so that it fails the
// case instead of the whole run.
constexpr unsigned kHungHostMs = 90000;
// Starting Wine's host process and its frame, on a loaded machine.
const double kStartSeconds = 8 * TestSlowdown();
const double kDeadlineSeconds = download_limits::kDeadlineMs / 1000.0;

std::string BandLine(int strip_height) {
  return "band id=97 height=" + std::to_string(strip_height + 6);
}

const std::vector<std::string> kNoToolbar = {"toolbar none"};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

// The number after "key=" in a line of qelhost's standard output.
long long Figure(const std::string& line, const std::string& key) {
  std::size_t at = line.find(" " + key + "=");
  return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + key.size() + 2);
}

// The "resources" line for `cycle` and `when` ("open", "closed").
std::string ResourcesLine(const std::string& out, int cycle, const std::string& when) {
  std::string start = "resources cycle=" + std::to_string(cycle) + " " + when + " ";
  std::size_t at = out.find(start);
  if (at == std::string::npos) return "";
  return out.substr(at, out.find('\n', at) - at);
}

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(desktop_.held()) << "the Wine desktop stayed busy";
    ASSERT_TRUE(registry_.held()) << "the registry stayed busy";
    ASSERT_EQ(stage_.problem(), "");
    stage_.ServeStrip(StripBytes(kStripHeight, {RGB(0, 160, 0)}));
    stage_.ServeDefinition(Definition());
    stage_.WriteQelIni();
    ASSERT_TRUE(stage_.Register()) << "regsvr32 " << stage_.ModulePath();
  }

  void TearDown() override { stage_.Unregister(); }

  std::string Definition() const {
    return stage_.Definition(
        "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
        "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n");
  }

  // One start of the browser frame, which must end on its own within
  // `seconds` and without a crash, leaving `log`.
  void ExpectStart(const std::vector<std::string>& log, double seconds) {
    HostPlay play = stage_.Play("wait 100\r\n");
    EXPECT_FALSE(play.timed_out) << "the host hung";
    EXPECT_EQ(play.exit_code, 0) << play.err;
    EXPECT_EQ(play.log, log) << Joined(play.log);
    EXPECT_LT(play.seconds, seconds);
  }

  void ForgetCachedStrip() { DeleteFileA(stage_.dir().PathOf("strip.bmp").c_str()); }

  DesktopLock desktop_;
  RegistryLock registry_;
  ToolbarStage stage_;
};

struct ServerCase {
  const char* name;
  Fault fault;
  std::string body;
  unsigned long long size;
  std::vector<std::string> log;
};

TEST_F(HostileInput, DefinitionServersThatMisbehaveCostOneDeadlineAtMost) {
  const std::string definition = Definition();
  // Comment lines after the controls: a definition cut in half still holds
  // every control, so what arrived before a reset makes the toolbar.
  std::string padded = definition;
  while (padded.size() < 2 * definition.size()) padded += "' padding\r\n";
  const unsigned long long huge = 300ull << 20;
  const std::vector<ServerCase> cases = {
      {"silent after the request", Fault::kSilent, definition, 0, kNoToolbar},
      {"stalls in the middle of the body", Fault::kStallMidBody, padded, 0, kNoToolbar},
      {"drips a byte a second", Fault::kDrip, definition, 0, kNoToolbar},
      {"redirects to itself", Fault::kRedirectToSelf, "", 0, kNoToolbar},
      {"300 MB announced", Fault::kHugeBody, "", huge, kNoToolbar},
      {"300 MB unannounced", Fault::kHugeUnannounced, "", huge, kNoToolbar},
      {"claims 300 MB, sends the definition", Fault::kHugeLength, definition, huge, kNoToolbar},
      // A connection that breaks off keeps what came before it.
      {"claims twice its length", Fault::kLongerLength, definition, 0, {BandLine(kStripHeight)}},
      {"resets after half", Fault::kReset, padded, 0, {BandLine(kStripHeight)}},
  };
  for (const ServerCase& c : cases) {
    SCOPED_TRACE(c.name);
    stage_.server().SetFault("/toolbar.qel", c.fault, c.body, c.size);
    ExpectStart(c.log, kDeadlineSeconds + kStartSeconds);
  }
}

TEST_F(HostileInput, PictureStripServersThatMisbehaveCostOneDeadlineAtMost) {
  const std::string strip = StripBytes(kStripHeight, {RGB(0, 160, 0)});
  const unsigned long long huge = 300ull << 20;
  const std::vector<ServerCase> cases = {
      {"silent after the request", Fault::kSilent, strip, 0, kNoToolbar},
      {"stalls in the middle of the body", Fault::kStallMidBody, strip, 0, kNoToolbar},
      {"drips a byte a second", Fault::kDrip, strip, 0, kNoToolbar},
      {"redirects to itself", Fault::kRedirectToSelf, "", 0, kNoToolbar},
      {"300 MB unannounced", Fault::kHugeUnannounced, "", huge, kNoToolbar},
      {"resets after half", Fault::kReset, strip, 0, kNoToolbar},
  };
  for (const ServerCase& c : cases) {
    SCOPED_TRACE(c.name);
    ForgetCachedStrip();
    stage_.server().SetFault("/pictures/strip.bmp", c.fault, c.body, c.size);
    ExpectStart(c.log, kDeadlineSeconds + kStartSeconds);
    EXPECT_EQ(stage_.dir().Read("strip.bmp"), "") << "nothing is cached";
  }
}

TEST_F(HostileInput, BrokenPictureStripsLeaveNoToolbarAndNeverACrash) {
  for (const StripFileCase& c : StripFileCases()) {
    SCOPED_TRACE(c.name);
    ForgetCachedStrip();
    stage_.ServeStrip(c.bytes);
    ExpectStart(c.acceptable ? std::vector<std::string>{BandLine(c.height)} : kNoToolbar,
                kStartSeconds);
  }
}

// A strip cached broken (by a server since mended, or a save cut short) is
// fetched anew at the next start, and from then on the toolbar is back.
TEST_F(HostileInput, ABrokenCachedStripIsReplacedOnceTheServerIsMended) {
  const std::string strip = StripBytes(kStripHeight, {RGB(0, 160, 0)});
  for (std::size_t cut : {std::size_t{0}, std::size_t{20}, strip.size() / 2}) {
    SCOPED_TRACE("cached strip cut after " + std::to_string(cut) + " bytes");
    ASSERT_TRUE(WriteBytes(stage_.dir().PathOf("strip.bmp"), strip.substr(0, cut)));
    ExpectStart({BandLine(kStripHeight)}, kStartSeconds);
    EXPECT_TRUE(stage_.dir().Read("strip.bmp") == strip) << "the cache file is replaced";
    ExpectStart({BandLine(kStripHeight)}, kStartSeconds);
  }
}

// The definition is refused at its size limit, so the host never holds
// much more than the limit, however much the server sends.
TEST_F(HostileInput, AHugeDefinitionIsRefusedWithoutHoldingIt) {
  for (Fault fault : {Fault::kHugeBody, Fault::kHugeUnannounced}) {
    stage_.server().SetFault("/toolbar.qel", fault, "", 300ull << 20);
    HostPlay run = stage_.RunHost({"--cycles", "1"}, kHungHostMs);
    ASSERT_FALSE(run.timed_out);
    EXPECT_EQ(run.log, kNoToolbar);
    std::string resources = ResourcesLine(run.out, 1, "closed");
    ASSERT_NE(resources, "") << run.out;
    std::printf("  %s\n", resources.c_str());
    const long long limit_kib = (download_limits::kMaxDefinitionBytes >> 10) + (64 << 10);
    EXPECT_LT(Figure(resources, "peak_rss_kib"), limit_kib) << resources;
  }
}

// The sample toolbar, its picture strip served here.
std::string SampleDefinition(const std::string& strip_url) {
  std::ifstream file(QEL_EXAMPLES_DIR "/toolbar.qel", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string sample_strip = "http://127.0.0.1:8642/buttons.bmp";
  std::size_t at = text.find(sample_strip);
  if (at != std::string::npos) text.replace(at, sample_strip.size(), strip_url);
  return text;
}

// One host process opens and closes 200 frames with the sample toolbar.
// After the first tenth (modules loaded, caches of the system filled) what
// the process holds is the baseline. Windows come back to it exactly.
// Handles and GDI objects come back to it (measured: exactly), within a
// margin for what the system caches late on a loaded machine (seen once: 39
// GDI objects, three times 13): a frame that lost even one of either would
// reach 180 over the 180 frames. Resident memory may move by heap
// growth; the module
// kept loaded, as while another browser window is open, it comes back within
// 1 MiB (measured: under 0.1 MiB). Unloaded with each frame, it may lose a
// little at each unload of a DLL, which is allowed for here (measured: under
// 1 KiB a frame in both builds).
// 200 frames; under the emulator, where a frame costs seconds, fewer. The
// host takes its baseline after a tenth of them.
TEST_F(HostileInput, ManyFramesGiveBackWhatTheyTook) {
  const int frames = std::max(100, static_cast<int>(200 / TestSlowdown()));
  const int baseline_frame = frames / 10;
  const std::string cycles = std::to_string(frames);
  const std::string sample = SampleDefinition(stage_.StripUrl());
  ASSERT_NE(sample.find(stage_.StripUrl()), std::string::npos);
  stage_.ServeDefinition(sample);
  stage_.ServeStrip(StripBytes(16, {RGB(0, 160, 0), RGB(200, 0, 200), RGB(0, 0, 200),
                                    RGB(200, 0, 0), RGB(0, 160, 160), RGB(160, 160, 0)}));
  struct Case {
    const char* name;
    std::vector<std::string> args;
    long long rss_tolerance_kib;
  };
  const Case cases[] = {
      {"module kept loaded", {"--cycles", cycles, "--keep-loaded"}, 1024},
      {"module unloaded with each frame", {"--cycles", cycles}, frames * 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostPlay run = stage_.RunHost(c.args, static_cast<unsigned>(240000 * TestSlowdown()));
    ASSERT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    int bands = 0;
    for (const std::string& line : run.log) bands += line == BandLine(16) ? 1 : 0;
    EXPECT_EQ(bands, frames) << "every frame had the toolbar";
    const std::string open = ResourcesLine(run.out, baseline_frame, "open");
    const std::string baseline = ResourcesLine(run.out, baseline_frame, "closed");
    const std::string end = ResourcesLine(run.out, frames, "closed");
    ASSERT_NE(baseline, "") << run.out;
    ASSERT_NE(end, "") << run.out;
    std::printf("  %s\n  %s\n  %s\n", open.c_str(), baseline.c_str(), end.c_str());
    EXPECT_GT(Figure(open, "windows"), Figure(baseline, "windows")) << "the counts see the toolbar";
    EXPECT_GT(Figure(open, "gdi"), Figure(baseline, "gdi"));
    EXPECT_EQ(Figure(end, "windows"), Figure(baseline, "windows"));
    EXPECT_LE(Figure(end, "handles") - Figure(baseline, "handles"), 16);
    EXPECT_LE(Figure(end, "gdi") - Figure(baseline, "gdi"), 64);
    EXPECT_LE(Figure(end, "rss_kib") - Figure(baseline, "rss_kib"), c.rss_tolerance_kib);
  }
}

}  // namespace
