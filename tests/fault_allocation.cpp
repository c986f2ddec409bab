// Replaces the program's operator new and delete (every form of them, so
// that each allocation is freed by its own kind) with malloc and free and a
// counter that can fail one allocation.
#include "fault_allocation.h"

#include <cstdlib>
#include <new>

namespace {

long g_left = -1;  // allocations to pass before the failure; -1: none armed

void* Allocate(std::size_t size) {
  if (g_left == 0) {
    g_left = -1;
    throw std::bad_alloc();
  }
  if (g_left > 0) --g_left;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

void FailAllocation(long n) {
  g_left = n < 0 ? -1 : n;
}

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
