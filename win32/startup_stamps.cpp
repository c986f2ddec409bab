// Start-up stamps (see startup_stamps.h). Asked only a few times per run:
// the environment is looked up once, the counter only when stamps are on.
#include "win32/startup_stamps.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>

void StartupStamp(const char* stage) {
  static const bool on =
      GetEnvironmentVariableW(L"T482_STARTUP_STAMPS", nullptr, 0) > 0;
  if (!on) return;
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  std::fprintf(stderr, "t482-stage %.6f %s\n",
               static_cast<double>(count.QuadPart) /
                   static_cast<double>(frequency.QuadPart),
               stage);
  std::fflush(stderr);
}
