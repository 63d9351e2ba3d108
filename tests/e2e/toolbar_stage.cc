#include "tests/e2e/toolbar_stage.h"

#include <windows.h>

#include "tests/images/bmp_file.h"
#include "tests/support/program_run.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

std::string StripBytes(int height, const std::vector<unsigned long>& colours) {
  const int width = 16 * static_cast<int>(colours.size());
  return BitmapFileBytes(width, height, [&](int x, int y) -> COLORREF {
    int inner_x = x % 16;
    bool inside = inner_x >= 3 && inner_x <= 12 && y >= 3 && y < height - 3;
    return inside ? static_cast<COLORREF>(colours[static_cast<std::size_t>(x / 16)])
                  : RGB(255, 255, 255);
  });
}

ToolbarStage::ToolbarStage() {
  if (!CopyFileA(WindowsPath(QEL_DLL_PATH).c_str(), ModulePath().c_str(), FALSE)) {
    problem_ = std::string("cannot copy ") + QEL_DLL_PATH + " to " + ModulePath();
    return;
  }
  if (!server_.Start()) problem_ = "cannot serve on 127.0.0.1";
}

ToolbarStage::~ToolbarStage() {
  if (registered_) Unregister();
  server_.Stop();
}

std::string ToolbarStage::ModulePath() const { return dir_.PathOf("qel.dll"); }

std::string ToolbarStage::StripUrl() const { return server_.Url("/pictures/strip.bmp"); }

std::string ToolbarStage::DefinitionUrl() const { return server_.Url("/toolbar.qel"); }

void ToolbarStage::ServeStrip(const std::string& bitmap_file_bytes) {
  server_.SetResponse("/pictures/strip.bmp", 200, bitmap_file_bytes);
}

void ToolbarStage::ServeDefinition(const std::string& script) {
  server_.SetResponse("/toolbar.qel", 200, script);
}

std::string ToolbarStage::Definition(const std::string& controls) const {
  return std::string("Qel.Title = \"") + Title() + "\"\r\n" + "Qel.ButtonImageList = \"" +
         StripUrl() + "\"\r\n" + "Qel.ButtonImageWidth = 16\r\n" + controls;
}

void ToolbarStage::WriteQelIni() { WriteQelIni("Qel.DataURL = \"" + DefinitionUrl() + "\"\r\n"); }

void ToolbarStage::WriteQelIni(const std::string& script) { dir_.Write("qel.ini", script); }

bool ToolbarStage::Register() {
  // A registration left behind by an earlier run goes first.
  RunProgram(REGSVR32_PROGRAM, {"/s", "/u", ModulePath()});
  registered_ = RunProgram(REGSVR32_PROGRAM, {"/s", ModulePath()}).exit_code == 0;
  return registered_;
}

bool ToolbarStage::Unregister() {
  registered_ = false;
  return RunProgram(REGSVR32_PROGRAM, {"/s", "/u", ModulePath()}).exit_code == 0;
}

HostPlay ToolbarStage::Play(const std::string& scenario, const std::string& host) {
  dir_.Write("scenario.txt", scenario);
  return Run(host.empty() ? WindowsPath(QELHOST_PATH) : host,
             {"--play", dir_.PathOf("scenario.txt")}, 0);
}

HostPlay ToolbarStage::RunHost(const std::vector<std::string>& args, unsigned time_limit_ms) {
  return Run(WindowsPath(QELHOST_PATH), args, time_limit_ms);
}

HostPlay ToolbarStage::Run(const std::string& host, std::vector<std::string> args,
                           unsigned time_limit_ms) {
  DeleteFileA(dir_.PathOf("log.txt").c_str());
  args.push_back("--log");
  args.push_back(dir_.PathOf("log.txt"));
  ULONGLONG start = GetTickCount64();
  ProgramRun run = RunProgram(host, args, time_limit_ms);
  HostPlay play;
  play.seconds = static_cast<double>(GetTickCount64() - start) / 1000;
  play.exit_code = run.exit_code;
  play.timed_out = run.timed_out;
  play.out = run.out;
  play.err = run.err;
  play.log = Lines(dir_.Read("log.txt"));
  return play;
}
