// pthread_once for the runtime linked into the 32-bit module: qel.dll is
// linked there with --wrap=pthread_once, so every caller outside the threads
// library lands here.
//
// The i686 runtime unwinds with DWARF tables, which crtbegin registers at
// every load of the module, and the registration starts with a
// pthread_once. The threads library's pthread_once makes a record of the
// calling thread (a duplicate of its handle and an event) and keeps it in a
// TLS slot of its own; at unload it frees the slot but not the record of a
// thread that goes on, so the browser's thread lost two handles at every
// load of the toolbar. Here a once is only the state in its pthread_once_t,
// with the threads library's values (0 not run, 1 done) and 2 while a thread
// runs the routine.
#include <windows.h>

#include <errno.h>
#include <pthread.h>

namespace {

constexpr LONG kNotRun = 0;
constexpr LONG kDone = 1;
constexpr LONG kRunning = 2;

}  // namespace

extern "C" int __wrap_pthread_once(pthread_once_t* once, void (*routine)(void)) {
  if (once == nullptr || routine == nullptr) return EINVAL;
  for (;;) {
    switch (InterlockedCompareExchange(once, kRunning, kNotRun)) {
      case kNotRun:
        try {
          routine();
        } catch (...) {
          // As std::call_once has it: a routine that throws has not run.
          InterlockedExchange(once, kNotRun);
          throw;
        }
        InterlockedExchange(once, kDone);
        return 0;
      case kDone:
        return 0;
      default:
        // Another thread runs the routine; onces run once, briefly.
        Sleep(1);
    }
  }
}
