#pragma once

#include <string>
#include <vector>

// Script lines from the two kinds of source, read the way the definition
// loader reads them. Both append to `lines`.

// The lines of a local file in text mode, without their line ends; a file
// that ends with a line end gives a final empty line. False when the path is
// empty, the file cannot be opened or it is larger than a definition may be
// (download_limits::kMaxDefinitionBytes).
bool ReadScriptFile(const std::string& path, std::vector<std::string>* lines);

// The downloaded text up to its first zero byte, split at every LF (a CR
// before it stays in the line). False when nothing arrived or the download
// broke one of the limits of download_limits.h.
bool DownloadScript(const std::string& address, std::vector<std::string>* lines);
