#pragma once

#include <cstddef>

// What any one download may cost the browser that hosts the toolbar. Every
// download runs while the browser window's user-interface thread waits for
// it, so each has a deadline, and what a server sends is held in memory, so
// each has a size limit. Definitions are kilobytes and picture strips tens
// of kilobytes: a working server delivers either in well under a second,
// and these limits only ever stop a broken or hostile one.
namespace download_limits {

// Time to set up the connection to the server.
constexpr unsigned kConnectTimeoutMs = 5000;
// Longest silence of the server while a request is sent or an answer read.
constexpr unsigned kReceiveTimeoutMs = 5000;
// The whole download, redirects included, from the first call to the last
// byte; a server that drips its answer is cut off here.
constexpr unsigned kDeadlineMs = 10000;
// Redirects followed for one download; one more fails it.
constexpr int kMaxRedirects = 5;

// A definition script larger than this is refused, whether downloaded or
// read from a local file.
constexpr std::size_t kMaxDefinitionBytes = 4u << 20;
// A picture strip file larger than this is refused: it holds the largest
// strip that the bitmap checks accept (8192 x 256 pixels at 32 bits).
constexpr std::size_t kMaxImageStripBytes = (8u << 20) + (64u << 10);

}  // namespace download_limits
