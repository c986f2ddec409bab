// Fuzz target "jwc_reader": any bytes as the host's JWC_TEMP.TXT.
//
// Checks, for every input:
// - the field splitter agrees with a plain re-statement of its rules, and
//   Split agrees with SplitInPlace, on every line;
// - ReadJwcTemp (chunked reading, chunk size chosen by the input's length)
//   builds the same model as ParseJwcLine fed line by line, the lines cut at
//   LF with every CR dropped and the file ended at the first Ctrl-Z;
// - no number in the model is infinite or NaN;
// - the writer, fed from what was read, writes no infinity or NaN, and its
//   segments read back within the precision of 15 significant digits;
// - WriteJwcTemp writes exactly what RenderJwcTemp renders.
// Returns an empty text when all hold, else what broke.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "fuzz/memory_files.h"
#include "interchange/jwc_fields.h"
#include "interchange/jww_gaibu.h"

namespace fuzz {

// The splitter's rules, written out plainly.
inline std::vector<std::string> ReferenceSplit(std::string_view line) {
  std::vector<std::string> fields(1);
  bool separating = true;
  for (size_t i = 0; i < line.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(line[i]);
    if ((b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD)) {
      if (i + 1 == line.size()) break;
      fields.back() += line[i];
      fields.back() += line[++i];
    } else if (b == '"' && separating) {
      separating = false;
    } else if (b == '=' && separating) {
      fields.back() += '=';
      separating = false;
    } else if ((b == ' ' || b == '\t') && separating) {
      if (fields.back().empty()) continue;
      if (fields.size() == JwcFields::kMaxFields) break;
      fields.emplace_back();
    } else if (b >= 0x20 && b <= 0xFD) {
      fields.back() += line[i];
    }
  }
  return fields;
}

inline std::string CheckSplit(std::string_view line) {
  const std::vector<std::string> want = ReferenceSplit(line);
  JwcFields split;
  split.Split(line);
  std::string copy(line);
  JwcFields inPlace;
  inPlace.SplitInPlace(copy.data(), copy.size());
  for (const JwcFields* f : {&split, &inPlace}) {
    const char* how = f == &split ? "Split" : "SplitInPlace";
    if (f->Count() != static_cast<int>(want.size())) {
      return std::string(how) + ": field count " + std::to_string(f->Count()) +
             ", expected " + std::to_string(want.size());
    }
    for (int i = 1; i <= f->Count(); ++i) {
      if (f->F(i) != want[i - 1]) {
        return std::string(how) + ": field " + std::to_string(i) + " differs";
      }
    }
  }
  return "";
}

// The lines ParseJwcLine sees: up to the first Ctrl-Z, cut at LF, CRs gone.
inline std::vector<std::string> DefinedLines(std::string_view bytes) {
  const size_t eof = bytes.find('\x1A');
  if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);
  std::vector<std::string> lines(1);
  for (char c : bytes) {
    if (c == '\n') {
      lines.emplace_back();
    } else if (c != '\r') {
      lines.back() += c;
    }
  }
  return lines;
}

// Everything the reader fills in, as text; numbers as exact hexadecimal
// floats, each checked for being finite.
class ModelSummary {
 public:
  std::string Text;
  std::string Error;

  void Num(double v) {
    if (!std::isfinite(v) && Error.empty()) {
      Error = "non-finite number in the model at summary offset " +
              std::to_string(Text.size());
    }
    Text.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  void Int(int64_t v) {
    Text.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  void Str(const std::string& s) {
    Int(static_cast<int64_t>(s.size()));
    Text += s;
  }
  void Head(const TJwwEntHead& h) {
    for (int32_t v : {h.HhpNumber, h.Group, h.Layer, h.Colour, h.LineType,
                      h.LineWidth, h.ZFlags}) {
      Int(v);
    }
  }
  void Line(const TJwwEntLine& e) {
    Head(e.Head);
    Int(e.PolylineNo);
    for (double v : {e.X1, e.Y1, e.X2, e.Y2}) Num(v);
  }
  void TextRec(const TJwwEntText& e) {
    Head(e.Head);
    for (int32_t v : {e.TextKind, e.CcValue, e.TextType}) Int(v);
    for (double v : {e.Width, e.Height, e.Spacing, e.X, e.Y, e.DX, e.DY}) {
      Num(v);
    }
    Str(e.Font);
    Str(e.Text);
  }
};

inline ModelSummary Summarise(const JwwModel& m) {
  ModelSummary s;
  s.Str(m.FileName);
  for (double v : {m.AxisAngle, m.SheetWidth, m.SheetHeight}) s.Num(v);
  for (double v : m.GroupScale) s.Num(v);
  for (double v : m.HnValues) s.Num(v);
  for (const TJwwTextType& t : m.TextTypes) {
    for (double v : {t.Width, t.Height, t.Spacing}) s.Num(v);
    s.Int(t.Colour);
  }
  s.Int(m.BzFlag);
  for (int32_t v : m.GroupParam) s.Int(v);
  for (int32_t v : m.LayerParam) s.Int(v);
  for (const std::string& n : m.GroupName) s.Str(n);
  for (const std::string& n : m.LayerName) s.Str(n);
  for (int32_t v : {m.InitGroup, m.InitLayer, m.InitColour, m.InitLineType,
                    m.InitLineWidth, m.InitTextType, m.InitTextColour}) {
    s.Int(v);
  }
  for (double v : {m.InitTextWidth, m.InitTextHeight, m.InitTextSpacing}) {
    s.Num(v);
  }
  s.Str(m.InitFont);
  s.Int(m.LineWidthSeen);
  for (bool f : m.AttrFresh) s.Int(f);
  for (int32_t v :
       {m.CurHhpNumber, m.CurGroup, m.CurLayer, m.CurColour, m.CurLineType,
        m.CurLineWidth, m.CurTextType, m.CurTextColour, m.CurCcValue,
        m.CurZFlags, m.PolylineCount, m.CurPointColour, m.CurColourExt}) {
    s.Int(v);
  }
  for (double v : {m.CurTextWidth, m.CurTextHeight, m.CurTextSpacing}) {
    s.Num(v);
  }
  s.Str(m.CurFont);
  s.Int(m.PolylineMode);
  s.Int(m.DimMode);
  s.Line(m.PendingDimLine);
  for (const TJwwHpPoint& p : m.HpPoints) {
    s.Int(p.Used);
    s.Num(p.X);
    s.Num(p.Y);
    s.Int(p.PickKind);
  }
  s.Int(m.HpCount);
  for (int32_t i = 0; i < m.Lines.Count(); ++i) s.Line(m.Lines[i]);
  for (int32_t i = 0; i < m.Circles.Count(); ++i) {
    const TJwwEntCircle& e = m.Circles[i];
    s.Head(e.Head);
    for (double v : {e.X, e.Y, e.R}) s.Num(v);
  }
  for (int32_t i = 0; i < m.CirclesEx.Count(); ++i) {
    const TJwwEntCircleEx& e = m.CirclesEx[i];
    s.Head(e.Head);
    for (double v : {e.N1, e.N2, e.N3, e.N4, e.N5, e.N6, e.N7}) s.Num(v);
  }
  for (int32_t i = 0; i < m.Texts.Count(); ++i) s.TextRec(m.Texts[i]);
  for (int32_t i = 0; i < m.Points.Count(); ++i) {
    s.Head(m.Points[i].Head);
    s.Num(m.Points[i].X);
    s.Num(m.Points[i].Y);
  }
  for (int32_t i = 0; i < m.PointsEx.Count(); ++i) {
    const TJwwEntPointEx& e = m.PointsEx[i];
    s.Head(e.Head);
    for (double v : {e.X, e.Y, e.Scale, e.Angle}) s.Num(v);
    s.Int(e.PointKind);
  }
  for (int32_t i = 0; i < m.Dims.Count(); ++i) {
    s.Head(m.Dims[i].Head);
    s.Line(m.Dims[i].Line);
    s.TextRec(m.Dims[i].Text);
  }
  for (int32_t i = 0; i < m.Blocks.Count(); ++i) {
    s.Head(m.Blocks[i].Head);
    s.Num(m.Blocks[i].X);
    s.Num(m.Blocks[i].Y);
    s.Str(m.Blocks[i].Name);
  }
  for (int32_t i = 0; i < m.Sl2.Count(); ++i) {
    const TJwwEntSl2& e = m.Sl2[i];
    s.Head(e.Head);
    s.Int(e.ColourExt);
    for (double v : {e.X1, e.Y1, e.X2, e.Y2}) s.Num(v);
  }
  for (int32_t i = 0; i < m.Sl3.Count(); ++i) {
    const TJwwEntSl3& e = m.Sl3[i];
    s.Head(e.Head);
    s.Int(e.ColourExt);
    for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3}) s.Num(v);
  }
  for (int32_t i = 0; i < m.Sl4.Count(); ++i) {
    const TJwwEntSl4& e = m.Sl4[i];
    s.Head(e.Head);
    s.Int(e.ColourExt);
    for (double v : {e.X1, e.Y1, e.X2, e.Y2, e.X3, e.Y3, e.X4, e.Y4}) s.Num(v);
  }
  auto sc = [&s](const TJwwEntSc& e) {
    s.Head(e.Head);
    s.Int(e.ColourExt);
    for (double v : {e.N1, e.N2, e.N3, e.N4, e.N5, e.N6, e.N7}) s.Num(v);
    s.Int(e.N8);
  };
  for (int32_t i = 0; i < m.Sc.Count(); ++i) sc(m.Sc[i]);
  for (int32_t i = 0; i < m.Se.Count(); ++i) sc(m.Se[i]);
  auto so = [&s](const TJwwEntSo& e) {
    s.Head(e.Head);
    s.Int(e.ColourExt);
    for (double v : {e.N1, e.N2, e.N3, e.N4, e.N5, e.N6, e.N7, e.N8}) s.Num(v);
  };
  for (int32_t i = 0; i < m.So.Count(); ++i) so(m.So[i]);
  for (int32_t i = 0; i < m.Sg.Count(); ++i) so(m.Sg[i]);
  for (int32_t i = 0; i < m.EntOrder.Count(); ++i) {
    s.Int(m.EntOrder[i].Kind);
    s.Int(m.EntOrder[i].Index);
  }
  return s;
}

// Re-emits what was read and checks the rendering; `m` must be the model
// read, after ResetCurrentAttributes.
inline std::string CheckWriter(JwwModel& m) {
  struct Segment {
    double x1, y1, x2, y2;
  };
  std::vector<Segment> segments;
  int32_t texts = 0;
  for (int32_t i = 0; i < m.Lines.Count(); ++i) {
    const TJwwEntLine& e = m.Lines[i];
    EmitLayerGroup(m, e.Head.Group);
    EmitLayer(m, e.Head.Layer);
    EmitLineColour(m, e.Head.Colour);
    EmitLineType(m, e.Head.LineType);
    EmitLineWidth(m, e.Head.LineWidth);
    EmitZFlags(m, e.Head.ZFlags);
    const int32_t before = m.OutputLines.Count();
    EmitSegment(m, e.X1, e.Y1, e.X2, e.Y2);
    if (m.OutputLines.Count() != before) {
      segments.push_back({e.X1, e.Y1, e.X2, e.Y2});
    }
  }
  for (int32_t i = 0; i < m.Texts.Count(); ++i) {
    const TJwwEntText& e = m.Texts[i];
    EmitFontName(m, e.Font);
    EmitTextType(m, e.TextType, e.Head.Colour, e.Width, e.Height, e.Spacing);
    EmitCc(m, e.CcValue);
    const int32_t before = m.OutputLines.Count();
    EmitText(m, e.TextKind, e.Text, e.X, e.Y, e.DX, e.DY);
    if (m.OutputLines.Count() != before) ++texts;
  }
  for (int32_t i = 0; i < m.Dims.Count(); ++i) {
    const TJwwEntDim& d = m.Dims[i];
    const int32_t before = m.OutputLines.Count();
    EmitDimension(m, d.Text.Text, d.Line.X1, d.Line.Y1, d.Line.X2, d.Line.Y2,
                  d.Text.X, d.Text.Y, d.Text.DX, d.Text.DY);
    if (m.OutputLines.Count() != before) ++texts;
  }
  for (const TJwwHpPoint& p : m.HpPoints) {
    if (!p.Used) continue;
    EmitPointColour(m, p.PickKind);
    EmitPoint(m, p.PickKind, p.X, p.Y, p.X, p.Y);
  }

  const std::string rendered = RenderJwcTemp(m);
  if (std::string e = CheckNoNonFinite(rendered); !e.empty()) return e;

  // Read the rendering back: the segments come back as plain lines, each
  // text as one text or dimension.
  JwwModel back;
  InitJwwModel(back);
  for (const std::string& line : DefinedLines(rendered)) {
    ParseJwcLine(back, line);
  }
  if (back.Lines.Count() != static_cast<int32_t>(segments.size())) {
    return "segments written " + std::to_string(segments.size()) +
           ", read back " + std::to_string(back.Lines.Count());
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    const TJwwEntLine& got = back.Lines[static_cast<int32_t>(i)];
    const Segment& want = segments[i];
    const double pairs[4][2] = {{got.X1, want.x1},
                                {got.Y1, want.y1},
                                {got.X2, want.x2},
                                {got.Y2, want.y2}};
    for (const auto& p : pairs) {
      if (!WithinFifteenDigits(p[1], p[0])) {
        return "segment " + std::to_string(i) + " read back as " +
               FormatExact(p[0]) + ", written from " + FormatExact(p[1]);
      }
    }
  }
  if (back.Texts.Count() + back.Dims.Count() != texts) {
    return "texts written " + std::to_string(texts) + ", read back " +
           std::to_string(back.Texts.Count() + back.Dims.Count());
  }

  MemoryFiles files;
  ScopedFileSystem use(files);
  if (!WriteJwcTemp(m, "out/JWC_TEMP.TXT")) return "WriteJwcTemp failed";
  if (files.Files.size() != 1 || files.Files["out/JWC_TEMP.TXT"] != rendered) {
    return "WriteJwcTemp wrote other bytes than RenderJwcTemp";
  }
  return "";
}

inline std::string RunJwcReader(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = DefinedLines(bytes);
  for (const std::string& line : lines) {
    if (std::string e = CheckSplit(line); !e.empty()) return e;
  }

  JwwModel byLine;
  InitJwwModel(byLine);
  for (const std::string& line : lines) ParseJwcLine(byLine, line);

  static const size_t kChunks[] = {1, 2, 3, 7, 64, 4096, size_t{1} << 20};
  MemoryFiles files;
  files.Chunk = kChunks[size % (sizeof kChunks / sizeof kChunks[0])];
  files.Files["JWC_TEMP.TXT"] = bytes;
  JwwModel read;
  InitJwwModel(read);
  {
    ScopedFileSystem use(files);
    if (!ReadJwcTemp(read, "JWC_TEMP.TXT")) return "ReadJwcTemp failed";
  }

  const ModelSummary a = Summarise(read);
  if (!a.Error.empty()) return a.Error;
  const ModelSummary b = Summarise(byLine);
  if (a.Text != b.Text) {
    size_t at = 0;
    while (at < a.Text.size() && at < b.Text.size() && a.Text[at] == b.Text[at])
      ++at;
    return "ReadJwcTemp and ParseJwcLine line by line differ at summary "
           "offset " +
           std::to_string(at);
  }

  ResetCurrentAttributes(read);
  return CheckWriter(read);
}

}  // namespace fuzz
