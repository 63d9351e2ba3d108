#include "tests/support/program_run.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::in | std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string TempName(const std::string& stem) {
  std::random_device random;
  return (std::filesystem::temp_directory_path() /
          (stem + "-" + std::to_string(random()) + "-" + std::to_string(random())))
      .string();
}

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back.
std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

HANDLE OpenForChild(const std::string& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      unsigned time_limit_ms) {
  ProgramRun run;
  std::string out_path = TempName("qel-out");
  std::string err_path = TempName("qel-err");
#ifdef _WIN32
  std::string command_line = QuoteArgument(program);
  for (const std::string& arg : args) command_line += " " + QuoteArgument(arg);
  HANDLE out = OpenForChild(out_path);
  HANDLE err = OpenForChild(err_path);
  if (out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    std::vector<char> mutable_line(command_line.begin(), command_line.end());
    mutable_line.push_back('\0');
    if (CreateProcessA(nullptr, mutable_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
      if (WaitForSingleObject(process.hProcess, time_limit_ms == 0 ? INFINITE : time_limit_ms) !=
          WAIT_OBJECT_0) {
        run.timed_out = true;
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
      }
      DWORD code = 0;
      if (!run.timed_out && GetExitCodeProcess(process.hProcess, &code)) {
        run.exit_code = static_cast<int>(code);
      }
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
#else
  std::vector<char*> argv;
  std::vector<std::string> all = {program};
  all.insert(all.end(), args.begin(), args.end());
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    int waited_ms = 0;
    pid_t done = 0;
    while ((done = waitpid(pid, &status, time_limit_ms == 0 ? 0 : WNOHANG)) == 0) {
      if (static_cast<unsigned>(waited_ms) >= time_limit_ms) {
        run.timed_out = true;
        kill(pid, SIGKILL);
        done = waitpid(pid, &status, 0);
        break;
      }
      usleep(10 * 1000);
      waited_ms += 10;
    }
    if (done == pid && !run.timed_out && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
#endif
  run.out = ReadAll(out_path);
  run.err = ReadAll(err_path);
  std::remove(out_path.c_str());
  std::remove(err_path.c_str());
  return run;
}
