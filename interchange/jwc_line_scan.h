// Finding line ends in the interchange file quickly.
//
// The reader looks at every byte of the file for three of them: LF ends a
// line, CR is dropped wherever it stands, and Ctrl-Z ends the file. One pass
// finds all three, sixteen bytes at a time where SSE2 is available; separate
// searches (memchr) would read every byte three times, and under Wine the
// C library's memchr is several times slower than glibc's.
#pragma once

/// The first LF or Ctrl-Z (0x1A) byte in [p, end), or `end` when there is
/// none. `*firstCr` is set to the first CR before that byte when it is still
/// null and there is one; otherwise it is left as it is.
char* FindLineEnd(char* p, char* end, char** firstCr);
