// The dialog's two fonts, and the measuring of captions in them while the
// controls are created.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

struct DialogFonts {
  HFONT font = nullptr;       // layout::kFontHeight pixels
  HFONT smallFont = nullptr;  // layout::kSmallFontHeight pixels, same face
};

/// The dialog's fonts in the designed face, or when that is missing in the
/// nearest Japanese fixed-pitch face the system offers, or when neither is
/// installed in the fixed-pitch face the font mapper picks. A font that
/// could not be created is null.
DialogFonts CreateDialogFonts();

/// Measures captions on one screen DC, kept for the whole construction of
/// the controls.
class TextMeasure {
 public:
  TextMeasure();
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  /// Height of a line of text in the font, in pixels.
  int LineHeight(HFONT font);
  /// Width of a caption in the font, in pixels. In a fixed-pitch Japanese
  /// font every character is as many cells wide as it has Shift-JIS bytes,
  /// so the width is the byte count times the cell, which is measured once
  /// per font; other fonts measure the text. (Measuring a text makes the
  /// font system load each of its glyphs: a tenth of the dialog's start-up
  /// for its 23 labels.)
  int CaptionWidth(HFONT font, const std::wstring& caption);

 private:
  void Select(HFONT font);
  int Width(const std::wstring& text);

  HDC dc_;
  HGDIOBJ original_ = nullptr;
  HFONT selected_ = nullptr;
  HFONT cellFont_ = nullptr;  // the font cell_ is for
  int cell_ = 0;              // width of a one-byte character; 0: measure
};
