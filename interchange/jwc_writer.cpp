// The tool's answer to the host. The emitters only append lines to the
// model's OutputLines, leaving out attribute records that would repeat the
// value written last; WriteJwcTemp alone touches the disk.
//
// A text record is stored as two entries, the command ending in a double
// quote and the text itself, because each entry holds at most 255 bytes;
// the file gets them joined into one line.
#include "interchange/jwc_writer.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <type_traits>
#include <utility>

#include "support/file_system.h"
#include "support/geometry.h"
#include "support/number_text.h"
#include "support/sjis.h"

namespace {

// Segments and text directions shorter than this in both coordinates are
// degenerate and not written.
constexpr long double kMinExtent = 1e-8L;

std::string Dec(int32_t v) {
  return std::to_string(v);
}

// Layer groups and layers: upper-case hexadecimal, at least one digit.
std::string Hex(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(v));
  return buf;
}

bool Degenerate(double x1, double y1, double x2, double y2) {
  return std::fabs(static_cast<long double>(x2) - x1) < kMinExtent &&
         std::fabs(static_cast<long double>(y2) - y1) < kMinExtent;
}

bool NoDirection(double dx, double dy) {
  return std::fabs(static_cast<long double>(dx)) <= kMinExtent &&
         std::fabs(static_cast<long double>(dy)) <= kMinExtent;
}

/// "a b c d" of four reals.
std::string Reals(double a, double b, double c, double d) {
  std::string s = FormatGeneral(a);
  s += ' ';
  s += FormatGeneral(b);
  s += ' ';
  s += FormatGeneral(c);
  s += ' ';
  s += FormatGeneral(d);
  return s;
}

const char* TextKey(int32_t kind) {
  static const char* const kKeys[] = {"ch", "cv", "cs", "cr", "co",
                                      "cp", "ct", "ck", "cz", "c2"};
  return kind >= 1 && kind <= 9 ? kKeys[kind] : kKeys[0];
}

/// Writes an integer attribute's record when it is fresh or changed.
bool EmitIntAttr(JwwModel& m, JwwAttr attr, int32_t& last, int32_t value,
                 const char* key, bool hex) {
  if (!m.AttrFresh[attr] && value == last) return false;
  AddOutputLine(m, std::string(key) + (hex ? Hex(value) : Dec(value)));
  last = value;
  m.AttrFresh[attr] = false;
  return true;
}

// A font record ("cn\"$" and the name) is whole in itself: a name that
// ends in a double quote (or is cut just after one) must not take the next
// record into its line, which would lose a text command.
bool IsFontRecord(const std::string& line) {
  return line.compare(0, 4, "cn\"$") == 0;
}

/// Hands the bytes of the file to `sink` in order; stops and returns false
/// as soon as the sink refuses. Lines go out one by one so that a large
/// drawing never exists as one string.
template <class Sink>
bool ProduceJwcTemp(const JwwModel& m, Sink&& sink) {
  static const char kLineEnd[] = "\r\n";
  const int32_t n = m.OutputLines.Count();
  if (n == 0) return sink("hq", 2) && sink(kLineEnd, 2);
  for (int32_t i = 0; i < n; ++i) {
    const std::string& line = m.OutputLines[i];
    if (!sink(line.data(), line.size())) return false;
    if (!line.empty() && line.back() == '"' && !IsFontRecord(line)) {
      // A command waiting for its text: the next entry completes the line,
      // whatever it ends in. A command that is the last entry ends the file
      // without a line end.
      if (i + 1 == n) return true;
      const std::string& text = m.OutputLines[++i];
      if (!sink(text.data(), text.size())) return false;
    }
    if (!sink(kLineEnd, 2)) return false;
  }
  return true;
}

}  // namespace

TJwcWriterMark MarkJwcWriter(const JwwModel& m) {
  return TJwcWriterMark{m.OutputLines.Count(),
                        static_cast<const TJwwCurAttrs&>(m)};
}

// Swapped, not copied: a copy of the font name could need memory.
static_assert(std::is_nothrow_swappable_v<TJwwCurAttrs>,
              "a roll-back must not fail");

void RollBackJwcWriter(JwwModel& m, TJwcWriterMark& mark) noexcept {
  m.OutputLines.Truncate(mark.OutputCount);
  using std::swap;
  swap(static_cast<TJwwCurAttrs&>(m), mark.Attrs);
}

void ResetCurrentAttributes(JwwModel& m) {
  static_cast<TJwwCurAttrs&>(m) = TJwwCurAttrs();
  m.AttrFresh.fill(true);
  m.CurColourExt = 0;
}

void AddOutputLine(JwwModel& m, std::string_view line) {
  m.OutputLines.Append().assign(
      line.data(), line.size() < kJwwTextMax ? line.size() : kJwwTextMax);
}

void EmitLayerGroup(JwwModel& m, int32_t group) {
  // A new group makes the host forget the layer, so the next layer record
  // goes out even when its number is unchanged.
  if (EmitIntAttr(m, kAttrGroup, m.CurGroup, group, "lg", true)) {
    m.AttrFresh[kAttrLayer] = true;
  }
}

void EmitLayer(JwwModel& m, int32_t layer) {
  EmitIntAttr(m, kAttrLayer, m.CurLayer, layer, "ly", true);
}

void EmitLineColour(JwwModel& m, int32_t colour) {
  EmitIntAttr(m, kAttrColour, m.CurColour, colour, "lc", false);
}

void EmitLineType(JwwModel& m, int32_t lineType) {
  EmitIntAttr(m, kAttrLineType, m.CurLineType, lineType, "lt", false);
}

void EmitLineWidth(JwwModel& m, int32_t width) {
  // Without an "lw" record in the host's file the host does not know line
  // widths; nothing about them is written.
  if (!m.LineWidthSeen) return;
  if (width < 0 || width > 30000) width = 0;
  EmitIntAttr(m, kAttrLineWidth, m.CurLineWidth, width, "lw", false);
}

void EmitCc(JwwModel& m, int32_t value) {
  if (value < 0 || value > 8) value = 0;
  EmitIntAttr(m, kAttrCc, m.CurCcValue, value, "cc", false);
}

void EmitFontName(JwwModel& m, std::string_view name) {
  if (name.empty() || name == "<>") name = m.InitFont;
  if (!m.AttrFresh[kAttrFont] && name == m.CurFont) return;
  // The quote makes the host's reader keep the name whole, blanks included.
  std::string line = "cn\"$";
  line += name;
  AddOutputLine(m, line);
  m.CurFont.assign(name.data(), name.size());
  m.AttrFresh[kAttrFont] = false;
}

void EmitPointColour(JwwModel& m, int32_t colour) {
  EmitIntAttr(m, kAttrPointColour, m.CurPointColour, colour, "pn", false);
}

void EmitTextType(JwwModel& m, int32_t typeNo, int32_t colour, double width,
                  double height, double spacing) {
  if (typeNo < 0 || typeNo > 10) {
    typeNo = m.InitTextType;
    if (typeNo == 0) {
      width = m.InitTextWidth;
      height = m.InitTextHeight;
      spacing = m.InitTextSpacing;
      colour = m.InitTextColour;
    }
  }
  bool write = m.AttrFresh[kAttrTextType] || typeNo != m.CurTextType;
  if (!write && typeNo == 0) {
    write = width != m.CurTextWidth || height != m.CurTextHeight ||
            spacing != m.CurTextSpacing || colour != m.CurTextColour;
  }
  if (!write) return;
  if (typeNo == 0) {
    AddOutputLine(m, "cn0 " + FormatGeneral(width) + " " +
                         FormatGeneral(height) + " " + FormatGeneral(spacing) +
                         " " + Dec(colour));
    m.CurTextWidth = width;
    m.CurTextHeight = height;
    m.CurTextSpacing = spacing;
    m.CurTextColour = colour;
  } else {
    AddOutputLine(m, "cn" + Dec(typeNo));
  }
  m.CurTextType = typeNo;
  m.AttrFresh[kAttrTextType] = false;
}

void EmitZFlags(JwwModel& m, int32_t flags) {
  if (flags & 1) AddOutputLine(m, "z1");
  if (flags & 2) AddOutputLine(m, "z2");
  if (flags & 4) AddOutputLine(m, "z3");
  if ((flags & 8) && !(flags & 16)) AddOutputLine(m, "z4");
  if (flags & 16) AddOutputLine(m, "z5");
}

void EmitSegment(JwwModel& m, double x1, double y1, double x2, double y2) {
  if (Degenerate(x1, y1, x2, y2)) return;
  AddOutputLine(m, Reals(x1, y1, x2, y2));
}

void EmitPoint(JwwModel& m, int32_t kind, double x, double y, double scale,
               double angle) {
  if (kind < -7 || kind > 11) kind = -3;
  if (std::fabs(static_cast<long double>(scale)) <= kMinExtent) scale = 1.0;
  AddOutputLine(m, "pt " + Reals(x, y, scale, angle) + " " + Dec(kind));
}

void EmitText(JwwModel& m, int32_t kind, std::string_view text, double x,
              double y, double dx, double dy) {
  if (NoDirection(dx, dy) || StripBlanks(text).empty()) return;
  AddOutputLine(m,
                std::string(TextKey(kind)) + " " + Reals(x, y, dx, dy) + " \"");
  AddOutputLine(m, text);
}

void EmitDimension(JwwModel& m, std::string_view text, double x1, double y1,
                   double x2, double y2, double tx, double ty, double dx,
                   double dy) {
  if (Degenerate(x1, y1, x2, y2) || NoDirection(dx, dy)) return;
  std::string length;
  if (StripBlanks(text).empty()) {
    // The line's own length, rounded half up at the eighth decimal place.
    long double l = Distance(x1, y1, x2, y2);
    double rounded = static_cast<double>(std::trunc(l / 1e-8L + 0.5L) * 1e-8L);
    length = FormatGeneral(rounded);
    text = length;
  }
  AddOutputLine(m, "msg");
  AddOutputLine(m, Reals(x1, y1, x2, y2));
  AddOutputLine(m, "cs " + Reals(tx, ty, dx, dy) + " \"");
  AddOutputLine(m, text);
}

std::string RenderJwcTemp(const JwwModel& m) {
  std::string out;
  ProduceJwcTemp(m, [&out](const char* data, size_t size) {
    out.append(data, size);
    return true;
  });
  return out;
}

// The file is written to a temporary file beside it that replaces it only
// once complete, so the host never reads part of a drawing. When the write
// fails, JWC_TEMP.TXT still holds what the host wrote for us: left in place,
// the host would read its own input back as drawing commands. So after a
// failure the file is deleted too, as a failed write always did, and the
// host finds no answer at all.
bool WriteJwcTemp(const JwwModel& m, const std::string& path) {
  bool written = false;
  {
    AtomicFileWriter out(path);
    written = out.Open() &&
              ProduceJwcTemp(m,
                             [&out](const char* data, size_t size) {
                               return out.Write(data, size);
                             }) &&
              out.Commit();
  }  // an uncommitted temporary file is removed here
  if (!written) {
    FileSystem& fs = Files();
    // The result says the write failed; a file that cannot be deleted stays.
    if (fs.FileExists(path)) (void)fs.Remove(path);
  }
  return written;
}
