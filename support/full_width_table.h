// Tables of the full-width conversion (see full_width.h).
#pragma once

#include <cstdint>

/// Code page 932 double-byte codes (lead byte high); 0 keeps the character.
extern const uint16_t kAsciiFullWidth[95];       // bytes 0x20..0x7E
extern const uint16_t kKanaFullWidth[63];        // bytes 0xA1..0xDF
extern const uint16_t kVoicedFullWidth[63];      // 0xA1..0xDF, then 0xDE
extern const uint16_t kSemiVoicedFullWidth[63];  // 0xA1..0xDF, then 0xDF
