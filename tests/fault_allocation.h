// Memory that runs out on purpose: the test programs' operator new, which
// fails one chosen allocation with std::bad_alloc. Tests arm it to see what
// a handler leaves behind when memory runs out part-way, as the window
// procedure, which catches the exception, would find it.
#pragma once

/// Makes the allocation `n` allocations from now (0: the next one) throw
/// std::bad_alloc, once. A negative `n` disarms.
void FailAllocation(long n);
