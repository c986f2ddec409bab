// Splitting one line of the interchange file into fields.
//
// The line is walked byte by byte from its first byte. A Shift-JIS lead byte
// (0x80..0x9F, 0xE0..0xFD) always takes the byte after it into the current
// field, so a double-byte character is never a separator or a quote; a lead
// byte that is the last byte of the line is dropped. While "separating" is
// on (it starts on), a double quote is dropped and turns it off, an equals
// sign is kept and turns it off, and blanks or tabs end a non-empty field.
// Once off, it stays off: the rest of the line lands in the current field,
// blanks included. Bytes below 0x20 and 0xFE, 0xFF are always dropped.
//
// At most 32 fields are kept. A blank that would open a 33rd field ends the
// split instead: everything after the 32nd field is ignored and the count
// stays 32. No record reads beyond its 17th field, and this keeps the slots
// of the first 32 fields exactly as a shorter line would give them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class JwcFields {
 public:
  static constexpr int kMaxFields = 32;

  /// Splits `line` (without its line break). The fields are views into a
  /// buffer of this object that is reused from line to line, so they stay
  /// valid until the next Split; a splitter kept across lines allocates only
  /// when a line is longer than every line before it.
  void Split(std::string_view line);

  /// Splits the line held in `data` in place: the fields are views into
  /// `data`, valid while it is. A field's bytes stay where they are unless a
  /// byte inside the field is dropped, and then move only to close that gap
  /// (a field never needs more room than the bytes it came from). Needs no
  /// buffer at all, whatever the length of the line.
  void SplitInPlace(char* data, size_t size);

  /// The field count: 1..32 after a Split (a line that ends in a blank
  /// counts an empty last field), 0 before the first.
  int Count() const { return count_; }

  /// Field `i`, counted from 1 (F1 is the record's key); empty when `i` is
  /// outside 1..Count().
  std::string_view F(int i) const {
    return i >= 1 && i <= count_ ? fields_[i - 1] : std::string_view();
  }

  /// True for a line with one empty field: empty, or blanks and control
  /// bytes only.
  bool Blank() const { return count_ == 1 && fields_[0].empty(); }

  /// Releases the buffer when it is larger than `limit` bytes (after an
  /// unusually long line).
  void Trim(size_t limit);

 private:
  std::array<std::string_view, kMaxFields> fields_{};
  int count_ = 0;
  std::string buffer_;
};
