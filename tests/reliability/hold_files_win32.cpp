// hold_files MS FILE... -- PROGRAM [ARGS...]
//
// Stands in for a virus scanner, indexer or sync client: opens every FILE
// for reading with read sharing only (so that nobody may write, replace or
// delete it meanwhile) and starts PROGRAM. Once PROGRAM has begun to write
// one of the files (its temporary file NAME.t482-tmp exists, so PROGRAM is
// about to replace NAME), it keeps the files open MS milliseconds longer,
// however long PROGRAM took to start. Then it closes them, waits for PROGRAM
// and exits with its status. When it lets go of the files it prints, on
// standard error, "pending NAME" for every FILE whose temporary file still
// exists (PROGRAM was still waiting to replace it), or "no write seen" when
// PROGRAM ended or 60 s passed without writing. Exits with 125 when it cannot
// do its own part.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One argument as the C runtime of the child splits it again.
std::string Quote(const std::string& arg) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  int split = 2;
  while (split < argc && std::strcmp(argv[split], "--") != 0) ++split;
  if (argc < 4 || split + 1 >= argc) {
    std::fputs("usage: hold_files MS FILE... -- PROGRAM [ARGS...]\n", stderr);
    return 125;
  }
  const DWORD holdMs = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));

  std::vector<HANDLE> held;
  for (int i = 2; i < split; ++i) {
    HANDLE h = CreateFileA(argv[i], GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      std::fprintf(stderr, "hold_files: cannot open %s (error %lu)\n", argv[i],
                   GetLastError());
      return 125;
    }
    held.push_back(h);
  }

  std::string command;
  for (int i = split + 1; i < argc; ++i) {
    if (!command.empty()) command += ' ';
    command += Quote(argv[i]);
  }
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &si, &pi)) {
    std::fprintf(stderr, "hold_files: cannot start %s (error %lu)\n",
                 argv[split + 1], GetLastError());
    return 125;
  }

  auto writing = [&](bool report) {
    bool any = false;
    for (int i = 2; i < split; ++i) {
      const std::string temp = std::string(argv[i]) + ".t482-tmp";
      if (GetFileAttributesA(temp.c_str()) != INVALID_FILE_ATTRIBUTES) {
        any = true;
        if (report) std::fprintf(stderr, "pending %s\n", argv[i]);
      }
    }
    return any;
  };
  const ULONGLONG start = GetTickCount64();
  bool seen = false;
  while (!(seen = writing(false)) && GetTickCount64() - start < 60000 &&
         WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
  }
  if (seen) {
    WaitForSingleObject(pi.hProcess, holdMs);
    writing(true);
  } else {
    std::fputs("no write seen\n", stderr);
  }
  std::fflush(stderr);
  for (HANDLE h : held) CloseHandle(h);

  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD status = 125;
  GetExitCodeProcess(pi.hProcess, &status);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(status);
}
