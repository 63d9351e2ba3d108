#include "tools/qelhost/process_resources.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace {

// One entry of the GDI handle table that the PEB points to: 24 bytes on
// 64-bit Windows, with the owner at 8 and the object type at 14; 16 bytes on
// 32-bit Windows, owner at 4, type at 10. Wine lays its entries out the
// 64-bit way in both builds.
struct GdiTableLayout {
  std::size_t entry_size;
  std::size_t process_offset;
  std::size_t type_offset;
};
constexpr GdiTableLayout kWideGdiEntries = {24, 8, 14};
constexpr GdiTableLayout kNarrowGdiEntries = {16, 4, 10};
constexpr std::size_t kGdiTablePebOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kGdiTableEntries = 0x10000;

template <typename Function>
Function NtdllFunction(const char* name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

long long CountGdiObjects() {
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  Query query = NtdllFunction<Query>("NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic = {};
  if (query == nullptr ||
      query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0 ||
      basic.PebBaseAddress == nullptr) {
    return -1;
  }
  const char* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  const char* table = *reinterpret_cast<const char* const*>(peb + kGdiTablePebOffset);
  if (table == nullptr) return -1;
  const bool wine = NtdllFunction<FARPROC>("wine_get_version") != nullptr;
  const GdiTableLayout& layout = wine || sizeof(void*) == 8 ? kWideGdiEntries : kNarrowGdiEntries;
  // Windows shares one table among processes and names each entry's owner
  // (its process id divided by four); Wine's table is the process's own and
  // leaves the owner 0. Stock objects count too: they stay the same.
  const std::uint16_t process = static_cast<std::uint16_t>(GetCurrentProcessId() >> 2);
  long long count = 0;
  for (std::size_t i = 0; i < kGdiTableEntries; ++i) {
    const char* entry = table + i * layout.entry_size;
    std::uint16_t owner = *reinterpret_cast<const std::uint16_t*>(entry + layout.process_offset);
    unsigned char type = *reinterpret_cast<const unsigned char*>(entry + layout.type_offset);
    if (type != 0 && (owner == process || owner == 0)) ++count;
  }
  return count;
}

BOOL CALLBACK CountChildWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<long long*>(count);
  return TRUE;
}

// A top-level window of ours and all of its descendants.
void CountWindowTree(HWND window, long long* count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return;
  ++*count;
  EnumChildWindows(window, CountChildWindow, reinterpret_cast<LPARAM>(count));
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM count) {
  CountWindowTree(window, reinterpret_cast<long long*>(count));
  return TRUE;
}

long long CountWindows() {
  long long count = 0;
  EnumWindows(CountTopLevelWindow, reinterpret_cast<LPARAM>(&count));
  // Message-only windows are not top-level windows of the desktop.
  HWND message_only = nullptr;
  while ((message_only = FindWindowExA(HWND_MESSAGE, message_only, nullptr, nullptr)) != nullptr) {
    CountWindowTree(message_only, &count);
  }
  return count;
}

// SYSTEM_HANDLE_INFORMATION, class 16.
struct HandleEntry {
  ULONG process;
  UCHAR type;
  UCHAR flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};
struct HandleList {
  ULONG count;
  HandleEntry entries[1];
};

long long CountKernelHandles() {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  Query query = NtdllFunction<Query>("NtQuerySystemInformation");
  if (query == nullptr) return -1;
  std::vector<char> buffer(1 << 20);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) {
      const HandleList* list = reinterpret_cast<const HandleList*>(buffer.data());
      long long count = 0;
      for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].process == GetCurrentProcessId()) ++count;
      }
      return count;
    }
    buffer.resize(buffer.size() * 2);
  }
  return -1;
}

}  // namespace

ProcessResources ProcessResources::Now() {
  ProcessResources now;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory))) {
    now.resident_kib = static_cast<long long>(memory.WorkingSetSize / 1024);
    now.peak_resident_kib = static_cast<long long>(memory.PeakWorkingSetSize / 1024);
  }
  now.gdi_objects = CountGdiObjects();
  now.windows = CountWindows();
  now.kernel_handles = CountKernelHandles();
  return now;
}

std::string ProcessResources::Text() const {
  return "rss_kib=" + std::to_string(resident_kib) +
         " peak_rss_kib=" + std::to_string(peak_resident_kib) +
         " gdi=" + std::to_string(gdi_objects) + " windows=" + std::to_string(windows) +
         " handles=" + std::to_string(kernel_handles);
}
