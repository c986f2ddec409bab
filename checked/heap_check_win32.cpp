// Heap checks of the checked Windows build (T482_CHECKED), linked into each
// of its programs with free and realloc wrapped (-Wl,--wrap=...).
//
// Under Wine's heap parameter checking (WINEDEBUG warn+heap, as
// scripts/wine-env.sh sets it for T482_WINE_CHECK; on Windows the global
// flags htc, hfc and hpc) every heap block is allocated with a filled tail
// and a freed block is filled and kept back for a while. Validating every
// block of every heap on every call (WINEDEBUG +heap, or the global flag
// hvc) finds an overrun at the next call, but costs time in proportion to
// the heap's size on each call: the unit tests took minutes instead of
// seconds. Here each block is validated instead when it is given back, the
// last moment its tail still tells of an overrun, and every heap once when
// the program ends, which finds writes into freed blocks. A fault is told
// on the error output (after Wine's own report) and stops the program at
// once with an illegal instruction, as undefined behaviour does here.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <malloc.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" void __real_free(void* block);
extern "C" void* __real_realloc(void* block, size_t size);

namespace {

// Says what was found, on the error output without the C runtime's heap,
// and stops the program.
[[noreturn]] void Fault(const char* text, int length) {
  DWORD written;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(length),
            &written, nullptr);
  __builtin_trap();
}

// A block that is not one the C runtime handed out (freed twice, never
// allocated) has no size; one whose tail or header was overwritten does
// not validate. The address it was given back from (the caller of operator
// delete, which jumps here) is for i686-w64-mingw32-addr2line.
void CheckBlock(void* block, void* from) {
  if (block == nullptr) return;
  HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
  if (HeapSize(heap, 0, block) != static_cast<SIZE_T>(-1) &&
      HeapValidate(heap, 0, block)) {
    return;
  }
  char text[80];
  Fault(text, std::snprintf(text, sizeof text,
                            "heap check: bad block %p given back from %p\n",
                            block, from));
}

void CheckEveryHeap() {
  std::vector<HANDLE> heaps(64);
  DWORD n = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  if (n > heaps.size()) {
    heaps.resize(n);
    n = GetProcessHeaps(n, heaps.data());
  }
  for (DWORD i = 0; i < n && i < heaps.size(); ++i) {
    if (HeapValidate(heaps[i], 0, nullptr)) continue;
    char text[80];
    Fault(text,
          std::snprintf(text, sizeof text,
                        "heap check: heap %p is damaged at exit\n", heaps[i]));
  }
}

const int kAtExit = std::atexit(CheckEveryHeap);

}  // namespace

extern "C" void __wrap_free(void* block) {
  CheckBlock(block, __builtin_return_address(0));
  __real_free(block);
}

extern "C" void* __wrap_realloc(void* block, size_t size) {
  CheckBlock(block, __builtin_return_address(0));
  return __real_realloc(block, size);
}
