// The portable full-width table against the Windows mapping it stands in
// for: LCMapStringA in the Japanese locale with the full-width and katakana
// flags, on a 256-byte output buffer as the value text uses it. Needs a
// process whose ANSI code page is 932 (under Wine: LANG=ja_JP.UTF-8).
#define NOMINMAX
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/full_width.h"
#include "support/sjis.h"

namespace {

constexpr LCID kJapanese = 0x0411;
constexpr DWORD kFullWidthKatakana = 0x00A00000;

std::string PlatformMap(const std::string& slice) {
  char out[256] = {};
  // The slice goes with its terminating zero, as the value text hands it.
  LCMapStringA(kJapanese, kFullWidthKatakana, slice.c_str(),
               static_cast<int>(slice.size()) + 1, out, sizeof out);
  out[sizeof out - 1] = '\0';
  return std::string(out);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char part[4];
  for (unsigned char b : bytes) {
    std::snprintf(part, sizeof part, "%02X ", b);
    out += part;
  }
  return out.empty() ? "(empty)" : out;
}

bool RunsUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr &&
         GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine maps a half-width voiced or semi-voiced mark that is not combined
// with the kana before it to the combining mark U+3099/U+309A, which code
// page 932 lacks, so it comes out as "?"; ﾜﾞ and ｦﾞ combine to U+30F7 and
// U+30FA, also outside code page 932, and become a single "?". Windows
// gives the spacing marks ゛ and ゜ (0x814A, 0x814B) for a lone mark (and
// keeps a full-width ゛ or ゜, which Wine turns into "?" as well), and
// the table keeps the kana with the spacing mark rather than lose it.
bool IsKnownWineDifference(const std::string& ours, const std::string& theirs) {
  if (!RunsUnderWine()) return false;
  const std::string voiced = "\x81\x4A", semiVoiced = "\x81\x4B";
  std::string wine;
  for (size_t i = 0; i < ours.size();) {
    size_t n = IsLeadByte(static_cast<unsigned char>(ours[i])) ? 2 : 1;
    std::string code = ours.substr(i, n);
    std::string next = ours.substr(i + n, 2);
    if ((code == "\x83\x8F" || code == "\x83\x92") && next == voiced) {
      wine += '?';
      i += n + 2;
      continue;
    }
    wine += code == voiced || code == semiVoiced ? std::string("?") : code;
    i += n;
  }
  return wine == theirs;
}

// The platform maps through UTF-16 and back, so a character with two codes
// in code page 932 (NEC and IBM rows) comes back with its preferred code,
// and an unassigned code comes back as the default character ・ (0x8145).
// The table keeps both as they are.
bool IsCodePageRoundTrip(const std::string& ours, const std::string& theirs) {
  auto wide = [](const std::string& bytes, DWORD flags, std::wstring& out) {
    wchar_t buffer[512];
    int n = MultiByteToWideChar(932, flags, bytes.data(),
                                static_cast<int>(bytes.size()), buffer, 512);
    out.assign(buffer, n > 0 ? n : 0);
    return n > 0;
  };
  std::wstring a, b;
  if (!wide(ours, MB_ERR_INVALID_CHARS, a)) return theirs == "\x81\x45";
  return wide(theirs, 0, b) && a == b;
}

// Compares table and platform on each text; returns the texts that differ,
// written "input -> table / platform". Known differences of Wine are
// printed, not returned.
std::vector<std::string> Differences(const std::vector<std::string>& texts) {
  std::vector<std::string> found;
  int known = 0;
  for (const std::string& text : texts) {
    std::string ours = MapToFullWidth(text);
    std::string theirs = PlatformMap(text);
    if (ours == theirs) continue;
    std::string line = Hex(text) + "-> " + Hex(ours) + "/ " + Hex(theirs);
    if (IsKnownWineDifference(ours, theirs) ||
        IsCodePageRoundTrip(ours, theirs)) {
      ++known;
    } else {
      found.push_back(line);
    }
  }
  if (known > 0) {
    std::printf(
        "  %d texts differ only by Wine's voiced marks or by code page 932 "
        "round trips\n",
        known);
  }
  return found;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

TEST(FullWidthLcmap, RunsInTheJapaneseCodePage) {
  ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8 under Wine";
}

TEST(FullWidthLcmap, ValueTextCharactersMatch) {
  std::vector<std::string> texts;
  for (char c : std::string("0123456789.,- ")) texts.push_back({c});
  texts.push_back("1,234.5");
  texts.push_back("-0.125");
  texts.push_back("12,345,678.00000001");
  EXPECT_EQ(Join(Differences(texts)), "");
}

TEST(FullWidthLcmap, AsciiMatches) {
  std::vector<std::string> texts;
  for (int c = 0x01; c <= 0x7F; ++c) texts.push_back({static_cast<char>(c)});
  for (int c : {0x80, 0xA0, 0xFD, 0xFE, 0xFF}) {
    texts.push_back({static_cast<char>(c)});
  }
  std::string all;
  for (int c = 0x20; c <= 0x7E; ++c) all += static_cast<char>(c);
  texts.push_back(all);
  EXPECT_EQ(Join(Differences(texts)), "");
}

TEST(FullWidthLcmap, HalfWidthKatakanaAndMarksMatch) {
  std::vector<std::string> texts;
  for (int c = 0xA1; c <= 0xDF; ++c) {
    texts.push_back({static_cast<char>(c)});
    texts.push_back({static_cast<char>(c), '\xDE'});
    texts.push_back({static_cast<char>(c), '\xDF'});
    texts.push_back({static_cast<char>(c), '1'});
  }
  EXPECT_EQ(Join(Differences(texts)), "");
}

TEST(FullWidthLcmap, DoubleByteCharactersMatch) {
  // Every code of the double-byte rows: hiragana become katakana, the rest
  // stays.
  std::vector<std::string> texts;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      texts.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  EXPECT_EQ(Join(Differences(texts)), "");
}

TEST(FullWidthLcmap, LongestSliceFitsTheBuffer) {
  // 126 single-byte characters double to 252 bytes plus the terminator.
  std::string slice(126, '8');
  EXPECT_EQ(PlatformMap(slice), MapToFullWidth(slice));
  EXPECT_EQ(PlatformMap(slice).size(), 252u);
}

}  // namespace
