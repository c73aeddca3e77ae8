// A stand-in music library for the binding tests. Every call is appended as
// one line to the file named by SKYWARD_MUSIC_LOG, and unloading the library
// adds "unload". Loading succeeds when the named file exists. Built three
// times: complete, without BASSMOD_MusicPlay (FAKE_MISSING_ENTRY), and with an
// init that fails (FAKE_INIT_FAILS).
#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "modplayer/bassmod.h"

namespace {

bool loaded = false;
unsigned active = 0;  // 0 silent, 1 playing, 3 paused

// Plain C formatting only: C++ library templates would give the library
// unique symbols, and the loader then never unloads it.
__attribute__((format(printf, 1, 2))) void record(const char* format, ...) {
  const char* path = std::getenv("SKYWARD_MUSIC_LOG");
  if (path == nullptr) return;
  std::FILE* log = std::fopen(path, "a");
  if (log == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(log, format, args);
  va_end(args);
  std::fputc('\n', log);
  std::fclose(log);
}

__attribute__((destructor)) void unload() {
  record("unload");
}

}  // namespace

extern "C" {

int BASSMOD_Init(int device, unsigned freq, unsigned flags) {
  record("Init %d %u %u", device, freq, flags);
  loaded = false;
  active = 0;
#ifdef FAKE_INIT_FAILS
  return 0;
#else
  return 1;
#endif
}

int BASSMOD_MusicLoad(int mem, const void* file, unsigned offset, unsigned length, unsigned flags) {
  const char* name = mem == 0 && file != nullptr ? static_cast<const char*>(file) : "<memory>";
  record("MusicLoad %d %s %u %u %u", mem, name, offset, length, flags);
  struct stat info {};
  loaded = mem == 0 && file != nullptr && stat(name, &info) == 0;
  active = 0;
  return loaded ? 1 : 0;
}

int BASSMOD_MusicPlayEx(unsigned pos, int flags, int reset) {
  record("MusicPlayEx %u %d %d", pos, flags, reset);
  active = loaded ? 1 : 0;
  return loaded ? 1 : 0;
}

int BASSMOD_MusicStop(void) {
  record("MusicStop");
  active = 0;
  return loaded ? 1 : 0;
}

void BASSMOD_MusicFree(void) {
  record("MusicFree");
  loaded = false;
  active = 0;
}

unsigned BASSMOD_MusicIsActive(void) {
  record("MusicIsActive");
  return active;
}

int BASSMOD_MusicPause(void) {
  record("MusicPause");
  if (active != 1) return 0;
  active = 3;
  return 1;
}

#ifndef FAKE_MISSING_ENTRY
int BASSMOD_MusicPlay(void) {
  record("MusicPlay");
  if (active != 3) return 0;
  active = 1;
  return 1;
}
#endif

}  // extern "C"
