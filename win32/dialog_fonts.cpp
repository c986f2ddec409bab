// The dialog's fonts and the measuring of captions (see dialog_fonts.h).
#include "win32/dialog_fonts.h"

#include <initializer_list>

#include "support/wide_text.h"
#include "tool/texts.h"
#include "win32/dialog_layout.h"

namespace {

HFONT CreateDialogFont(const std::wstring& face, int height) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                     face.empty() ? nullptr : face.c_str());
}

// Whether the font mapper gave the font the face it asks for, tried on a
// screen DC: the font is then realised for the measuring that follows.
bool HasFace(HFONT font, const std::wstring& face) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, got);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return lstrcmpiW(got, face.c_str()) == 0;
}

// The first font of the given height in the first face that is installed;
// the face found is left in face for the other font.
HFONT CreateFirstDialogFont(std::wstring& face, int height) {
  face = SjisToWide(texts::kDialogFont);
  for (const wchar_t* fallback : {L"MS Gothic", L""}) {
    HFONT font = CreateDialogFont(face, height);
    if (font == nullptr || HasFace(font, face)) return font;
    DeleteObject(font);
    face = fallback;
  }
  return CreateDialogFont(face, height);
}

}  // namespace

DialogFonts CreateDialogFonts() {
  std::wstring face;
  DialogFonts fonts;
  fonts.font = CreateFirstDialogFont(face, layout::kFontHeight);
  fonts.smallFont = CreateDialogFont(face, layout::kSmallFontHeight);
  return fonts;
}

TextMeasure::TextMeasure() : dc_(GetDC(nullptr)) {}

TextMeasure::~TextMeasure() {
  if (original_ != nullptr) SelectObject(dc_, original_);
  ReleaseDC(nullptr, dc_);
}

int TextMeasure::LineHeight(HFONT font) {
  Select(font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight;
}

int TextMeasure::CaptionWidth(HFONT font, const std::wstring& caption) {
  Select(font);
  if (font != cellFont_) {
    cellFont_ = font;
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_, &metrics);
    // TMPF_FIXED_PITCH set means a variable pitch.
    const bool fixed = !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH);
    const int half = Width(L"0");
    // "字" and "ｱ": a two-byte and a one-byte (half-width kana) character.
    cell_ = fixed && half > 0 && Width(L"\u5B57") == 2 * half &&
                    Width(L"\uFF71") == half
                ? half
                : 0;
  }
  return cell_ > 0 ? SjisByteCount(caption) * cell_ : Width(caption);
}

int TextMeasure::Width(const std::wstring& text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()),
                        &size);
  return size.cx;
}

void TextMeasure::Select(HFONT font) {
  if (font == selected_) return;
  HGDIOBJ previous = SelectObject(dc_, font);
  if (original_ == nullptr) original_ = previous;
  selected_ = font;
}
