#include "tests/qelhost/host_test_rig.h"

#include <cstdio>

#include "tests/qelhost/test_helper_ids.h"
#include "tests/support/program_run.h"

namespace {

constexpr char kHelperObjectsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
constexpr char kClassKey[] = "Software\\Classes\\CLSID\\" QELHOST_TEST_HELPER_CLSID;
constexpr char kHelperDll[] = "qelhost_test_helper.dll";

// The helper's definition: the controls in the order the helper makes its
// windows, a button between each pair of text and combo boxes.
constexpr char kDefinition[] =
    "Qel.AddObject \"tbGo\", \"BUTTON\", \"Text=Go\"\r\n"
    "Qel.AddObject \"txtFirst\", \"TEXTBOX\", \"Width=90\"\r\n"
    "Qel.AddObject \"tbAsk\", \"BUTTON\", \"Text=Ask\"\r\n"
    "Qel.AddObject \"cboSites\", \"COMBOBOX\", \"Width=100\"\r\n"
    "Qel.AddObject \"tbMenu\", \"BUTTON\", \"Text=Menu\"\r\n"
    "Qel.AddObject \"txtSecond\", \"TEXTBOX\", \"Width=90\"\r\n";

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

bool SetString(HKEY key, const char* name, const std::string& value) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

HostTestRig::HostTestRig() : others_aside_(QELHOST_TEST_HELPER_CLSID) {
  std::string source = std::string(QELHOST_TEST_HELPER_PATH);
  char full[MAX_PATH];
  GetFullPathNameA(source.c_str(), MAX_PATH, full, nullptr);
  if (!CopyFileA(full, dir_.PathOf(kHelperDll).c_str(), FALSE)) {
    problem_ = "cannot copy " + source;
    return;
  }
  dir_.Write("defs.txt", kDefinition);
  WriteQelIni(".\\defs.txt");
  if (!Register(dir_.PathOf(kHelperDll))) problem_ = "cannot register the test helper object";
  SetEnvironment(QELHOST_TEST_TRACE_VARIABLE, dir_.PathOf("trace.txt"));
}

HostTestRig::~HostTestRig() {
  Unregister();
  for (const std::string& name : variables_) SetEnvironmentVariableA(name.c_str(), nullptr);
}

const char* HostTestRig::HostPath() { return QELHOST_PATH; }

void HostTestRig::WriteQelIni(const std::string& data_url) {
  dir_.Write("qel.ini", "Qel.DataURL = \"" + data_url + "\"\r\n");
}

void HostTestRig::RegisterServerPath(const std::string& path) { Register(path); }

void HostTestRig::SetEnvironment(const char* name, const std::string& value) {
  SetEnvironmentVariableA(name, value.c_str());
  variables_.push_back(name);
}

bool HostTestRig::Register(const std::string& server_path) {
  HKEY server = nullptr;
  std::string server_key = std::string(kClassKey) + "\\InprocServer32";
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, server_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &server, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool ok =
      SetString(server, nullptr, server_path) && SetString(server, "ThreadingModel", "Apartment");
  RegCloseKey(server);
  HKEY entry = nullptr;
  std::string entry_key = std::string(kHelperObjectsKey) + "\\" + QELHOST_TEST_HELPER_CLSID;
  ok = ok && RegCreateKeyExA(HKEY_LOCAL_MACHINE, entry_key.c_str(), 0, nullptr, 0, KEY_WRITE,
                             nullptr, &entry, nullptr) == ERROR_SUCCESS;
  if (entry != nullptr) RegCloseKey(entry);
  return ok;
}

void HostTestRig::Unregister() {
  std::string entry_key = std::string(kHelperObjectsKey) + "\\" + QELHOST_TEST_HELPER_CLSID;
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, entry_key.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kClassKey) + "\\InprocServer32").c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kClassKey);
}

HostRun HostTestRig::Run(const std::vector<std::string>& args) {
  DeleteFileA(dir_.PathOf("trace.txt").c_str());
  DeleteFileA(dir_.PathOf("log.txt").c_str());
  ProgramRun program = RunProgram(HostPath(), args);
  HostRun run;
  run.exit_code = program.exit_code;
  run.out = program.out;
  run.err = program.err;
  run.log = Lines(dir_.Read("log.txt"));
  run.trace = Lines(dir_.Read("trace.txt"));
  return run;
}

HostRun HostTestRig::Play(const std::string& scenario, const std::vector<std::string>& extra_args) {
  dir_.Write("scenario.txt", scenario);
  std::vector<std::string> args = {"--play", dir_.PathOf("scenario.txt"), "--log",
                                   dir_.PathOf("log.txt")};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  return Run(args);
}
