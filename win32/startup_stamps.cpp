// Start-up stamps (see startup_stamps.h). Asked only a few times per run:
// the environment is looked up once, the counter only when stamps are on.
// Written with WriteFile, not the C library's streams, so that the program
// imports nothing for them beyond the counter and the standard handle.
#include "win32/startup_stamps.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

void StartupStamp(const char* stage) {
  static const bool on =
      GetEnvironmentVariableW(L"T482_STARTUP_STAMPS", nullptr, 0) > 0;
  if (!on) return;
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  const std::string line = "t482-stage " + std::to_string(count.QuadPart) +
                           " " + std::to_string(frequency.QuadPart) + " " +
                           stage + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(),
            static_cast<DWORD>(line.size()), &written, nullptr);
}
