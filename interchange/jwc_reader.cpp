// Reader of the host's interchange file into JwwModel.
//
// The reader is deliberately lenient: a record it does not know, a record
// with too few fields or a blank line changes nothing, and a bad number reads
// as 0. A key whose field count does not fit goes on down the record table,
// so "ci" with four values is still a circle while "hs" with three numbers
// falls through to a plain line.
//
// Everything carried from one line to the next lives in the model (current
// attributes, freshness flags, polyline and dimension state, z flags and the
// hhp tag). The file is read in large chunks and split into lines here, so a
// line of any length costs memory in proportion to that line only, and no
// line is kept after it has been parsed.
#include "interchange/jwc_reader.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "interchange/jwc_fields.h"
#include "interchange/jwc_line_scan.h"
#include "interchange/jwc_number.h"
#include "support/file_system.h"
#include "support/number_text.h"

namespace {

using std::string_view;

// Key tests on short literals, unrolled by the compiler (no memcmp call per
// key on the hot path).
template <size_t N>
bool StartsWith(string_view s, const char (&key)[N]) {
  if (s.size() < N - 1) return false;
  for (size_t i = 0; i < N - 1; ++i) {
    if (s[i] != key[i]) return false;
  }
  return true;
}

template <size_t N>
bool Is(string_view s, const char (&key)[N]) {
  return s.size() == N - 1 && StartsWith(s, key);
}

double Num(const JwcFields& f, int i) {
  return ReadJwcReal(f.F(i));
}
int32_t Int(const JwcFields& f, int i) {
  return SafeStrToInt(f.F(i));
}

// The single byte after a key as one hexadecimal digit; 0 for anything else.
int32_t HexDigitAfter(string_view f1, size_t keyLength) {
  if (f1.size() <= keyLength) return 0;
  const int digit = HexDigitValue(f1[keyLength]);
  return digit < 0 ? 0 : digit;
}

void ResetPolyline(JwwModel& m) {
  m.PolylineMode = false;
}
void ResetDim(JwwModel& m) {
  m.DimMode = false;
}
void ResetTags(JwwModel& m) {
  m.CurZFlags = 0;
  m.CurHhpNumber = 0;
}
// The resets of every element record other than a plain line.
void ResetAfterElement(JwwModel& m) {
  ResetPolyline(m);
  ResetDim(m);
  ResetTags(m);
}

// Records the element in EntOrder, then appends a zeroed record with its
// header filled from the current attributes.
template <class T>
T& AddElement(JwwModel& m, JwwList<T>& list, int32_t kind) {
  AddEntRef(m, kind, list.Count());
  T& rec = list.Append();
  FillEntHead(m, rec.Head);
  return rec;
}

// Two points coincide when both coordinates differ by at most 1e-10.
bool Coincide(double x1, double y1, double x2, double y2) {
  return std::fabs(static_cast<long double>(x1) - x2) <= 1e-10L &&
         std::fabs(static_cast<long double>(y1) - y2) <= 1e-10L;
}

struct Corner {
  double X, Y;
};

bool Coincide(const Corner& a, const Corner& b) {
  return Coincide(a.X, a.Y, b.X, b.Y);
}

void AddSl2(JwwModel& m, const Corner& a, const Corner& b) {
  TJwwEntSl2& e = AddElement(m, m.Sl2, kKindSl2);
  e.ColourExt = m.CurColourExt;
  e.X1 = a.X, e.Y1 = a.Y, e.X2 = b.X, e.Y2 = b.Y;
}

void AddSl3(JwwModel& m, const Corner& a, const Corner& b, const Corner& c) {
  TJwwEntSl3& e = AddElement(m, m.Sl3, kKindSl3);
  e.ColourExt = m.CurColourExt;
  e.X1 = a.X, e.Y1 = a.Y, e.X2 = b.X, e.Y2 = b.Y, e.X3 = c.X, e.Y3 = c.Y;
}

void AddSl4(JwwModel& m, const Corner (&p)[4]) {
  TJwwEntSl4& e = AddElement(m, m.Sl4, kKindSl4);
  e.ColourExt = m.CurColourExt;
  e.X1 = p[0].X, e.Y1 = p[0].Y, e.X2 = p[1].X, e.Y2 = p[1].Y;
  e.X3 = p[2].X, e.Y3 = p[2].Y, e.X4 = p[3].X, e.Y4 = p[3].Y;
}

// Three corners: a corner that coincides with its neighbour is dropped.
void AddSlThree(JwwModel& m, const JwcFields& f) {
  const Corner p1{Num(f, 2), Num(f, 3)}, p2{Num(f, 4), Num(f, 5)},
      p3{Num(f, 6), Num(f, 7)};
  if (Coincide(p1, p2)) {
    AddSl2(m, p1, p3);
  } else if (Coincide(p2, p3)) {
    AddSl2(m, p1, p2);
  } else {
    AddSl3(m, p1, p2, p3);
  }
}

// Four corners reduced to the distinct ones; the first rule that applies
// decides.
void AddSlFour(JwwModel& m, const JwcFields& f) {
  const Corner p[4] = {{Num(f, 2), Num(f, 3)},
                       {Num(f, 4), Num(f, 5)},
                       {Num(f, 6), Num(f, 7)},
                       {Num(f, 8), Num(f, 9)}};
  const bool c12 = Coincide(p[0], p[1]), c13 = Coincide(p[0], p[2]),
             c14 = Coincide(p[0], p[3]), c23 = Coincide(p[1], p[2]),
             c24 = Coincide(p[1], p[3]), c34 = Coincide(p[2], p[3]);
  if (c12 && c23 && c13) {
    AddSl2(m, p[0], p[3]);
  } else if (c23 && c34 && c24) {
    AddSl2(m, p[0], p[1]);
  } else if (c12 && c34) {
    AddSl2(m, p[0], p[2]);
  } else if (c14 || c24 || c34) {
    AddSl3(m, p[0], p[1], p[2]);
  } else if (c13 || c23) {
    AddSl3(m, p[0], p[1], p[3]);
  } else if (c12) {
    AddSl3(m, p[0], p[2], p[3]);
  } else {
    AddSl4(m, p);
  }
}

// Fills a text record (header included) from the current attributes and
// fields F2..F6.
void FillText(const JwwModel& m, const JwcFields& f, int32_t kind,
              TJwwEntText& t) {
  FillEntHead(m, t.Head);
  t.TextKind = kind;
  t.CcValue = m.CurCcValue;
  t.TextType = m.CurTextType;
  if (t.TextType >= 1 && t.TextType <= 10) {
    const TJwwTextType& tt = m.TextTypes[t.TextType];
    t.Width = tt.Width;
    t.Height = tt.Height;
    t.Spacing = tt.Spacing;
    t.Head.Colour = tt.Colour;
  } else {
    t.Width = m.CurTextWidth;
    t.Height = m.CurTextHeight;
    t.Spacing = m.CurTextSpacing;
    t.Head.Colour = m.CurTextColour;
  }
  t.X = Num(f, 2);
  t.Y = Num(f, 3);
  t.DX = Num(f, 4);
  t.DY = Num(f, 5);
  const string_view font = m.CurFont;
  t.Font.assign(font.substr(0, kJwwTextMax));
  t.Text.assign(f.F(6).substr(0, kJwwTextMax));
}

// The text kind of a text key, or -1.
int32_t TextKindOf(string_view key) {
  if (key.size() != 2 || key[0] != 'c') return -1;
  switch (key[1]) {
    case 'h': return 0;
    case 'v': return 1;
    case 's': return 2;
    case 'r': return 3;
    case 'o': return 4;
    case 'p': return 5;
    case 't': return 6;
    case 'k': return 7;
    case 'z': return 8;
    case '2': return 9;
    default: return -1;
  }
}

void ReadText(JwwModel& m, const JwcFields& f, int32_t kind) {
  if (m.DimMode && kind == 2) {
    TJwwEntDim& d = AddElement(m, m.Dims, kKindDim);
    d.Line = m.PendingDimLine;
    d.Line.PolylineNo = 0;
    FillText(m, f, 2, d.Text);
  } else {
    AddEntRef(m, kKindText, m.Texts.Count());
    FillText(m, f, kind, m.Texts.Append());
  }
  ResetAfterElement(m);
}

// hp<k>[marker] x y: the last marker found, in the order "-", "ln", "ci",
// "ch", decides the kind and where the point number ends.
void ReadHp(JwwModel& m, const JwcFields& f) {
  const string_view f1 = f.F(1);
  static constexpr string_view kMarkers[] = {"-", "ln", "ci", "ch"};
  string_view number = f1.substr(2);
  int32_t code = 0;
  for (int32_t i = 0; i < 4; ++i) {
    const size_t pos = f1.find(kMarkers[i]);
    if (pos != string_view::npos && pos >= 2) {
      number = f1.substr(2, pos - 2);
      code = i + 1;
    }
  }
  const int32_t k = SafeStrToInt(number);
  if (k < 1 || k > 99) return;
  TJwwHpPoint& p = m.HpPoints[k];
  p.Used = 1;
  p.X = Num(f, 2);
  p.Y = Num(f, 3);
  p.PickKind = code;
  ++m.HpCount;
}

// hhp<k>[marker]: the tag the next element carries.
void ReadHhp(JwwModel& m, string_view f1) {
  static constexpr string_view kMarkers[] = {"ln", "ci", "ch"};
  string_view number = f1.substr(3);
  for (const string_view marker : kMarkers) {
    const size_t pos = f1.find(marker);
    if (pos != string_view::npos && pos >= 4) number = f1.substr(3, pos - 3);
  }
  m.CurHhpNumber = SafeStrToInt(number);
}

void ReadTextType(JwwModel& m, const JwcFields& f, string_view rest) {
  const int32_t v = SafeStrToInt(rest);
  const bool freeSize = v == 0 && f.Count() >= 5;
  if (m.AttrFresh[kAttrTextType]) {
    m.InitTextType = v;
    if (freeSize) {
      m.InitTextWidth = Num(f, 2);
      m.InitTextHeight = Num(f, 3);
      m.InitTextSpacing = Num(f, 4);
      m.InitTextColour = Int(f, 5);
    }
    m.AttrFresh[kAttrTextType] = false;
  }
  m.CurTextType = v;
  if (freeSize) {
    m.CurTextWidth = Num(f, 2);
    m.CurTextHeight = Num(f, 3);
    m.CurTextSpacing = Num(f, 4);
    m.CurTextColour = Int(f, 5);
  }
}

// Sets the first-occurrence value of an attribute once, then the current one.
void SetAttribute(JwwModel& m, int attr, int32_t& init, int32_t& cur,
                  int32_t v) {
  if (m.AttrFresh[attr]) {
    init = v;
    m.AttrFresh[attr] = false;
  }
  cur = v;
}

// Header records (exact keys with a minimum field count). True when the
// line was taken.
bool ReadHeader(JwwModel& m, const JwcFields& f, string_view f1) {
  const int n = f.Count();
  if (Is(f1, "hk") && n >= 2) {
    m.AxisAngle = Num(f, 2);
  } else if (Is(f1, "hs") && n >= 17) {
    for (int g = 0; g < 16; ++g) m.GroupScale[g] = Num(f, g + 2);
  } else if (Is(f1, "hzs") && n >= 3) {
    m.SheetWidth = Num(f, 2);
    m.SheetHeight = Num(f, 3);
  } else if (Is(f1, "hcw") && n >= 11) {
    for (int t = 1; t <= 10; ++t) m.TextTypes[t].Width = Num(f, t + 1);
  } else if (Is(f1, "hch") && n >= 11) {
    for (int t = 1; t <= 10; ++t) m.TextTypes[t].Height = Num(f, t + 1);
  } else if (Is(f1, "hcd") && n >= 11) {
    for (int t = 1; t <= 10; ++t) m.TextTypes[t].Spacing = Num(f, t + 1);
  } else if (Is(f1, "hcc") && n >= 11) {
    for (int t = 1; t <= 10; ++t) m.TextTypes[t].Colour = Int(f, t + 1);
  } else if (Is(f1, "bz")) {
    m.BzFlag = true;
  } else if (Is(f1, "hn") && n >= 5) {
    for (int i = 0; i < 4; ++i) m.HnValues[i] = Num(f, i + 2);
  } else {
    return false;
  }
  return true;
}

// Attribute and state records (prefix keys, z flags, pl, msg, #, hp, hhp).
// True when the line was taken.
bool ReadAttribute(JwwModel& m, const JwcFields& f, string_view f1) {
  const int n = f.Count();
  if (StartsWith(f1, "lgn")) {
    m.GroupName[m.CurGroup].assign(f1.substr(3));
    return true;
  }
  if (StartsWith(f1, "lyn")) {
    m.LayerName[m.CurGroup * 16 + m.CurLayer].assign(f1.substr(3));
    return true;
  }
  if (StartsWith(f1, "lg")) {
    const int32_t v = HexDigitAfter(f1, 2);
    SetAttribute(m, kAttrGroup, m.InitGroup, m.CurGroup, v);
    if (n >= 2) m.GroupParam[v] = Int(f, 2);
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "ly")) {
    const int32_t v = HexDigitAfter(f1, 2);
    SetAttribute(m, kAttrLayer, m.InitLayer, m.CurLayer, v);
    if (n >= 2) m.LayerParam[m.CurGroup * 16 + v] = Int(f, 2);
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "lc")) {
    const int32_t v = SafeStrToInt(f1.substr(2));
    SetAttribute(m, kAttrColour, m.InitColour, m.CurColour, v);
    if (v == 10 && n >= 2) m.CurColourExt = Int(f, 2);
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "lt")) {
    SetAttribute(m, kAttrLineType, m.InitLineType, m.CurLineType,
                 SafeStrToInt(f1.substr(2)));
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "lw")) {
    SetAttribute(m, kAttrLineWidth, m.InitLineWidth, m.CurLineWidth,
                 SafeStrToInt(f1.substr(2)));
    m.LineWidthSeen = true;
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "cn$")) {
    const string_view name = f1.substr(3);
    if (m.InitFont.empty()) m.InitFont.assign(name);
    m.CurFont.assign(name);
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "cn")) {
    ReadTextType(m, f, f1.substr(2));
    ResetPolyline(m);
    return true;
  }
  if (StartsWith(f1, "cc")) {
    const int32_t v = SafeStrToInt(f1.substr(2, 1));
    m.CurCcValue = v >= 0 && v <= 8 ? v : 0;
    ResetPolyline(m);
    return true;
  }
  if (f1.size() == 2 && f1[0] == 'z' && f1[1] >= '1' && f1[1] <= '5') {
    m.CurZFlags |= 1 << (f1[1] - '1');
    return true;
  }
  if (StartsWith(f1, "pn")) {
    m.CurPointColour = SafeStrToInt(f1.substr(2));
    ResetPolyline(m);
    return true;
  }
  if (Is(f1, "pl")) {
    ++m.PolylineCount;
    m.PolylineMode = true;
    ResetDim(m);
    return true;
  }
  if (Is(f1, "msg")) {
    m.DimMode = true;
    ResetPolyline(m);
    return true;
  }
  if (Is(f1, "#")) {
    ResetPolyline(m);
    ResetDim(m);
    return true;
  }
  if (StartsWith(f1, "hp") && n >= 3) {
    ReadHp(m, f);
    return true;
  }
  if (StartsWith(f1, "hhp")) {
    ReadHhp(m, f1);
    return true;
  }
  return false;
}

// Element records other than the plain line. True when the line was taken.
bool ReadElement(JwwModel& m, const JwcFields& f, string_view f1) {
  const int n = f.Count();
  if (Is(f1, "ci") && n == 4) {
    TJwwEntCircle& e = AddElement(m, m.Circles, kKindCircle);
    e.X = Num(f, 2), e.Y = Num(f, 3), e.R = Num(f, 4);
  } else if (Is(f1, "ci") && n >= 8) {
    TJwwEntCircleEx& e = AddElement(m, m.CirclesEx, kKindCircleEx);
    e.N1 = Num(f, 2), e.N2 = Num(f, 3), e.N3 = Num(f, 4), e.N4 = Num(f, 5);
    e.N5 = Num(f, 6), e.N6 = Num(f, 7), e.N7 = Num(f, 8);
  } else if (const int32_t kind = TextKindOf(f1); kind >= 0 && n >= 6) {
    ReadText(m, f, kind);  // applies its own resets
    return true;
  } else if (Is(f1, "pt") && n == 3) {
    TJwwEntPoint& e = AddElement(m, m.Points, kKindPoint);
    e.Head.Colour = m.CurPointColour;
    e.X = Num(f, 2), e.Y = Num(f, 3);
  } else if (Is(f1, "pt") && n >= 6) {
    TJwwEntPointEx& e = AddElement(m, m.PointsEx, kKindPointEx);
    e.Head.Colour = m.CurPointColour;
    e.X = Num(f, 2), e.Y = Num(f, 3), e.Scale = Num(f, 4), e.Angle = Num(f, 5);
    e.PointKind = Int(f, 6);
  } else if (Is(f1, "BL") && n >= 4) {
    TJwwEntBlk& e = AddElement(m, m.Blocks, kKindBlk);
    e.X = Num(f, 2), e.Y = Num(f, 3);
    e.Name.assign(f.F(4));
  } else if (Is(f1, "sl") && n == 5) {
    AddSl2(m, {Num(f, 2), Num(f, 3)}, {Num(f, 4), Num(f, 5)});
  } else if (Is(f1, "sl") && n == 7) {
    AddSlThree(m, f);
  } else if (Is(f1, "sl") && n >= 9) {
    AddSlFour(m, f);
  } else if ((Is(f1, "sc") || Is(f1, "se")) && n >= 9) {
    TJwwEntSc& e = Is(f1, "sc") ? AddElement(m, m.Sc, kKindSc)
                                : AddElement(m, m.Se, kKindSe);
    e.ColourExt = m.CurColourExt;
    e.N1 = Num(f, 2), e.N2 = Num(f, 3), e.N3 = Num(f, 4), e.N4 = Num(f, 5);
    e.N5 = Num(f, 6), e.N6 = Num(f, 7), e.N7 = Num(f, 8);
    e.N8 = Int(f, 9);
  } else if ((Is(f1, "so") || Is(f1, "sg")) && n >= 9) {
    TJwwEntSo& e = Is(f1, "so") ? AddElement(m, m.So, kKindSo)
                                : AddElement(m, m.Sg, kKindSg);
    e.ColourExt = m.CurColourExt;
    e.N1 = Num(f, 2), e.N2 = Num(f, 3), e.N3 = Num(f, 4), e.N4 = Num(f, 5);
    e.N5 = Num(f, 6), e.N6 = Num(f, 7), e.N7 = Num(f, 8), e.N8 = Num(f, 9);
  } else {
    return false;
  }
  ResetAfterElement(m);
  return true;
}

// A line of four numbers that no other record took. While a dimension is
// open it replaces the pending dimension line instead of joining Lines.
void ReadPlainLine(JwwModel& m, const JwcFields& f) {
  TJwwEntLine* line;
  if (m.DimMode) {
    line = &m.PendingDimLine;
    FillEntHead(m, line->Head);
    line->PolylineNo = 0;
  } else {
    line = &AddElement(m, m.Lines, kKindLine);
    line->PolylineNo = m.PolylineMode ? m.PolylineCount : 0;
  }
  line->X1 = Num(f, 1);
  line->Y1 = Num(f, 2);
  line->X2 = Num(f, 3);
  line->Y2 = Num(f, 4);
  ResetTags(m);
}

// The tables are sized by InitJwwModel; a model that missed it still must
// not be written out of range.
void EnsureTables(JwwModel& m) {
  if (m.GroupParam.size() < 16) m.GroupParam.resize(16);
  if (m.GroupName.size() < 16) m.GroupName.resize(16);
  if (m.LayerParam.size() < 256) m.LayerParam.resize(256);
  if (m.LayerName.size() < 256) m.LayerName.resize(256);
  if (m.HpPoints.size() < 100) m.HpPoints.resize(100);
}

// One split line into the model. May throw only std::bad_alloc.
void ParseFields(JwwModel& m, const JwcFields& f) {
  const string_view f1 = f.F(1);
  if (f1.empty()) return;  // a blank line (only F1 can be empty and alone)
  if (f1.find("file=") != string_view::npos) {
    m.FileName.assign(f1.substr(5));  // F1 from its sixth byte on
    return;
  }
  // Every key starts with one of a few bytes; numbers skip the key tests.
  switch (f1[0]) {
    case 'h':
    case 'b':
      if (ReadHeader(m, f, f1) || ReadAttribute(m, f, f1)) return;
      break;
    case 'l':
    case 'z':
    case 'm':
    case '#':
      if (ReadAttribute(m, f, f1)) return;
      break;
    case 'c':
    case 'p':
      if (ReadAttribute(m, f, f1) || ReadElement(m, f, f1)) return;
      break;
    case 'B':
    case 's':
      if (ReadElement(m, f, f1)) return;
      break;
    default: break;
  }
  if (f.Count() == 4) ReadPlainLine(m, f);
}

// Drops every CR of data[0..size) in place (a CR never ends a line, and the
// one before LF goes too), given the first of them (null: none); returns
// the new size.
size_t DropCr(char* data, size_t size, char* firstCr) {
  if (firstCr == nullptr) return size;
  char* w = firstCr;
  for (const char* p = firstCr + 1; p != data + size; ++p) {
    if (*p != '\r') *w++ = *p;
  }
  return static_cast<size_t>(w - data);
}

// Appends data[0..size) without its CR bytes, given the first of them.
void AppendWithoutCr(std::string& to, const char* data, size_t size,
                     const char* firstCr) {
  const size_t old = to.size();
  to.append(data, size);
  char* appended = &to[old];
  char* cr = firstCr == nullptr ? nullptr : appended + (firstCr - data);
  to.resize(old + DropCr(appended, size, cr));
}

// Reads the whole stream; false on an input error (the partial line being
// read is then dropped, everything before it stays parsed). Lines inside a
// chunk are split where they lie; only a line that spans chunks is gathered
// in `pending`, so memory follows the longest line, not the file.
bool ReadStreamLines(JwwModel& m, ReadStream& in) {
  constexpr size_t kChunkSize = size_t{1} << 20;
  const std::unique_ptr<char[]> chunk(new char[kChunkSize]);
  std::string pending;  // the start of a line that spans chunks, CRs removed
  JwcFields fields;
  bool endOfFile = false;
  while (!endOfFile) {
    const long got = in.Read(chunk.get(), kChunkSize);
    if (got < 0) return false;
    if (got == 0) break;
    char* p = chunk.get();
    char* const end = p + std::min(static_cast<size_t>(got), kChunkSize);
    while (p < end) {
      char* firstCr = nullptr;
      char* stop = FindLineEnd(p, end, &firstCr);
      const size_t length = static_cast<size_t>(stop - p);
      if (stop == end || *stop != '\n') {
        // No line end in this chunk: the line goes on in the next one. A
        // Ctrl-Z byte ends the file; the line before it is the last line.
        AppendWithoutCr(pending, p, length, firstCr);
        endOfFile = stop != end;
        break;
      }
      if (pending.empty()) {
        fields.SplitInPlace(p, DropCr(p, length, firstCr));
      } else {
        AppendWithoutCr(pending, p, length, firstCr);
        fields.SplitInPlace(pending.data(), pending.size());
      }
      ParseFields(m, fields);
      pending.clear();
      p = stop + 1;
    }
  }
  if (!pending.empty()) {  // the last line, without a line end
    fields.SplitInPlace(pending.data(), pending.size());
    ParseFields(m, fields);
  }
  return true;
}

}  // namespace

bool ReadJwcTemp(JwwModel& m, const std::string& path) {
  try {
    FileSystem& files = Files();
    if (!files.FileExists(path)) return false;
    const std::unique_ptr<ReadStream> in = files.OpenRead(path);
    if (!in) return false;
    EnsureTables(m);
    return ReadStreamLines(m, *in);
  } catch (...) {
    // Out of memory on an absurd file: keep what was parsed.
    return false;
  }
}

void ParseJwcLine(JwwModel& m, std::string_view line) {
  // One splitter per thread, so that parsing line after line does not
  // allocate; released again after a very long line.
  thread_local JwcFields fields;
  try {
    EnsureTables(m);
    fields.Split(line);
    ParseFields(m, fields);
  } catch (...) {
    // Out of memory: the line is ignored, like any line the reader cannot
    // use.
  }
  fields.Trim(size_t{1} << 20);
}
