// The canary of the checked Windows build: each run commits one of the
// faults that the build's nets are there to catch, and must be stopped by
// it (tests/checked_canary.cmake runs every mode and reads what it says).
//
//   checked_canary MODE
//
// The faulty pointers, sizes and indexes pass through volatile variables,
// and the faulty writes are volatile, so that the compiler can neither see
// the fault nor remove it (a malloc followed by two frees of the same
// pointer vanished as a pair, and a write into a block that nothing reads
// again as a dead store).
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A block of the C runtime's heap, behind a pointer the compiler cannot
// follow.
volatile char* Block(std::size_t size) {
  void* volatile block = std::malloc(size);
  return static_cast<volatile char*>(block);
}

void Release(volatile char* block) {
  void* volatile given = const_cast<char*>(block);
  std::free(given);
}

// One byte past the end: the narrowest overrun, caught only by the block's
// filled tail.
void OverrunByOne(volatile char* block, std::size_t size) {
  volatile std::size_t past = size;
  block[past] = 'x';
}

// Freed, the block is validated on its way back.
void OverrunFreed() {
  volatile char* block = Block(16);
  OverrunByOne(block, 16);
  Release(block);
}

// Never freed, it is found when the heaps are validated at exit.
void OverrunKept() {
  OverrunByOne(Block(16), 16);
}

// The heap fills a freed block and keeps it back for a while.
void WriteAfterFree() {
  volatile char* block = Block(64);
  Release(block);
  volatile std::size_t middle = 32;
  block[middle] = 'x';
}

void DoubleFree() {
  volatile char* block = Block(16);
  Release(block);
  Release(block);
}

void SignedOverflow() {
  volatile int largest = INT_MAX;
  volatile int sum = largest + 1;
  (void)sum;
}

void IndexOutOfRange() {
  std::vector<int> values(4);
  volatile std::size_t index = values.size();
  volatile int value = values[index];
  (void)value;
}

// The copy runs over the buffer into the guard value the function checks
// before it returns.
__attribute__((noinline)) void SmashStack(const char* text) {
  char buffer[8];
  volatile std::size_t length = std::strlen(text) + 1;
  std::memcpy(buffer, text, length);
  asm volatile("" : : "r"(buffer) : "memory");
}

void SmashedStack() {
  SmashStack("far longer than the eight bytes of the buffer");
}

// A fault that goes unnoticed ends the run with exit 0.
struct Mode {
  const char* name;
  void (*run)();
};

const Mode kModes[] = {
    {"overrun-freed", OverrunFreed},
    {"overrun-kept", OverrunKept},
    {"write-after-free", WriteAfterFree},
    {"double-free", DoubleFree},
    {"signed-overflow", SignedOverflow},
    {"index-out-of-range", IndexOutOfRange},
    {"smashed-stack", SmashedStack},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    for (const Mode& mode : kModes) {
      if (std::strcmp(argv[1], mode.name) != 0) continue;
      mode.run();
      return 0;
    }
  }
  std::fputs("usage: checked_canary MODE\nmodes:", stderr);
  for (const Mode& mode : kModes) std::fprintf(stderr, " %s", mode.name);
  std::fputs("\n", stderr);
  return 2;
}
