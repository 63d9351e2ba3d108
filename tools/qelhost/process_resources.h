#pragma once

#include <string>

// What the host process holds, for finding leaks over many frames. Wine
// answers GetGuiResources and GetProcessHandleCount with 0, so the counts
// are read where Wine keeps them as Windows does: GDI objects from the
// process's shared GDI handle table, windows by enumeration, kernel handles
// from the system's handle list. A count the system does not give is -1.
struct ProcessResources {
  long long resident_kib = -1;
  long long peak_resident_kib = -1;
  long long gdi_objects = -1;
  long long windows = -1;
  long long kernel_handles = -1;

  static ProcessResources Now();
  // "rss_kib=... peak_rss_kib=... gdi=... windows=... handles=..."
  std::string Text() const;
};
