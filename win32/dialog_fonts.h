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
  /// Width and height of the text in the font, in pixels.
  SIZE Extent(HFONT font, const std::wstring& text);

 private:
  void Select(HFONT font);

  HDC dc_;
  HGDIOBJ original_ = nullptr;
  HFONT selected_ = nullptr;
};
