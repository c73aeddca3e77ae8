// A stand-in music library for the binding tests. Every call is appended as
// one line to the file named by SKYWARD_MUSIC_LOG, and unloading the library
// adds "unload". Loading succeeds when the named file exists. Built three
// times: complete, without BASSMOD_MusicPlay (FAKE_MISSING_ENTRY), and with an
// init that fails (FAKE_INIT_FAILS).
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "modplayer/bassmod.h"

namespace {

bool loaded = false;
unsigned active = 0;  // 0 silent, 1 playing, 3 paused

void record(const std::string& line) {
  const char* path = std::getenv("SKYWARD_MUSIC_LOG");
  if (path == nullptr) return;
  if (std::FILE* log = std::fopen(path, "a")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

std::string join(std::initializer_list<std::string> parts) {
  std::string line;
  for (const std::string& part : parts) line += (line.empty() ? "" : " ") + part;
  return line;
}

__attribute__((destructor)) void unload() {
  record("unload");
}

}  // namespace

extern "C" {

int BASSMOD_Init(int device, unsigned freq, unsigned flags) {
  record(join({"Init", std::to_string(device), std::to_string(freq), std::to_string(flags)}));
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
  record(join({"MusicLoad", std::to_string(mem), name, std::to_string(offset),
               std::to_string(length), std::to_string(flags)}));
  struct stat info {};
  loaded = mem == 0 && file != nullptr && stat(name, &info) == 0;
  active = 0;
  return loaded ? 1 : 0;
}

int BASSMOD_MusicPlayEx(unsigned pos, int flags, int reset) {
  record(join({"MusicPlayEx", std::to_string(pos), std::to_string(flags), std::to_string(reset)}));
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
