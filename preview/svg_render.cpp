// The SVG picture of a preview scene.
//
// Everything of the drawing goes into one group that maps drawing units to
// pixels with y flipped (matrix(k 0 0 -k tx ty)), so coordinates in the SVG
// are the host's own. Texts and labels undo the flip locally and stay
// upright. Sizes given on paper (text heights, marker sizes) are multiplied
// by the drawing scale of the element's layer group; line widths, dashes and
// labels are fixed in pixels and divided by k.
#include "preview/svg_render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "preview/sjis_utf8.h"
#include "support/sjis.h"

namespace {

constexpr double kMaxDrawingWidthPx = 1600.0;
constexpr double kMaxDrawingHeightPx = 1200.0;
constexpr double kMinCanvasWidthPx = 960.0;
constexpr double kLegendRowPx = 22.0;
constexpr double kStrokePx = 1.6;
constexpr double kLabelPx = 14.0;
constexpr double kPi = 3.14159265358979323846;
constexpr const char* kFontFamily = "IPAGothic, IPAexGothic, sans-serif";
constexpr const char* kChainColour = "#7fb2dc";
constexpr const char* kChainLabelColour = "#3f7cac";
constexpr const char* kPickColour = "#e8702a";

// Marker sizes in paper millimetres at marker scale 1: the arrow-like kinds
// reach this far back from their tip, the others this far from their centre.
constexpr double kArrowLength = 7.5;
constexpr double kArrowHalfWidth = 2.0;
constexpr double kSmallHalf = 1.25;

std::string Num(double v) {
  if (!std::isfinite(v)) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", v);
  std::string s = buffer;
  if (s == "-0") s = "0";
  return s;
}

struct Box {
  double MinX = std::numeric_limits<double>::infinity();
  double MinY = std::numeric_limits<double>::infinity();
  double MaxX = -std::numeric_limits<double>::infinity();
  double MaxY = -std::numeric_limits<double>::infinity();

  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    MinX = std::min(MinX, x);
    MinY = std::min(MinY, y);
    MaxX = std::max(MaxX, x);
    MaxY = std::max(MaxY, y);
  }
  bool Empty() const { return MinX > MaxX; }
};

struct Segment {
  double X1, Y1, X2, Y2;
  int32_t Colour, LineType;
};

struct Circle {
  double X, Y, R;
  int32_t Colour, LineType;
};

struct Marker {
  double X, Y, Size, Angle;  // Size: drawing units per paper mm
  int32_t Kind, Colour;
};

struct Dot {
  double X, Y;
  int32_t Colour;
};

struct Text {
  double X, Y, Angle;            // angle in degrees
  double Width, Height, Length;  // drawing units
  double Spacing;
  std::string Utf8;
  int32_t Colour;
  // Each character's UTF-8 and its offset along the base line, where the
  // host puts it: a double-byte character takes the width and the spacing
  // after it, a single-byte one half of each.
  std::vector<std::pair<double, std::string>> Chars;
};

struct Label {
  double X, Y;
  std::string Utf8;
  const char* Colour;
  enum Place { kAboveRight, kBelowRight, kAboveLeft } Where = kAboveRight;
};

// The elements of one model, in drawing units, in drawing order.
struct Elements {
  std::vector<Segment> Segments;
  std::vector<Circle> Circles;
  std::vector<Marker> Markers;
  std::vector<Dot> Dots;
  std::vector<Text> Texts;
  int32_t DimCount = 0;

  bool Empty() const {
    return Segments.empty() && Circles.empty() && Markers.empty() &&
           Dots.empty() && Texts.empty();
  }
};

// Everything the picture holds.
struct Primitives {
  Elements Drawn;  // the tool's records
  Elements Host;   // elements of the host's earlier file, shown faintly
  // Context: chain (dashed light lines plus labelled points) and picks.
  std::vector<Segment> ChainLines;
  std::vector<Label> ChainPoints;
  std::vector<Label> Picks;
};

bool IsArrowKind(int32_t kind) {
  return kind == 1 || kind == 6 || kind == 9 || kind == 11;
}

// Drawing units per paper millimetre for an element of this header: the
// scale of its layer group in the host's file when that is at hand, else the
// scale the settings file recorded for the run, else 1.
double PaperScale(const TPreviewScene& scene, const TJwwEntHead& head) {
  if (scene.HaveBefore && head.Group >= 0 && head.Group < 16) {
    const double s = scene.Drawn.GroupScale[head.Group];
    if (s > 1e-10) return s;
  }
  if (scene.Chain.Present && scene.Chain.Scale > 1e-10) {
    return scene.Chain.Scale;
  }
  return 1.0;
}

Text MakeText(const TPreviewScene& scene, const TJwwEntText& t) {
  const double s = PaperScale(scene, t.Head);
  Text out;
  out.X = t.X;
  out.Y = t.Y;
  out.Angle = std::atan2(t.DY, t.DX) * 180.0 / kPi;
  out.Width = std::fabs(t.Width) * s;
  out.Height = std::fabs(t.Height) * s;
  out.Spacing = t.Spacing * s;
  out.Length = TextLength(t.Text, out.Width, out.Spacing);
  out.Utf8 = SjisToUtf8(t.Text);
  double at = 0;
  for (size_t i = 0; i < t.Text.size();) {
    const bool wide = IsLeadByte(static_cast<unsigned char>(t.Text[i]));
    const size_t n = wide && i + 1 < t.Text.size() ? 2 : 1;
    out.Chars.emplace_back(at,
                           SjisToUtf8(std::string_view(t.Text).substr(i, n)));
    at += wide ? out.Width + out.Spacing : (out.Width + out.Spacing) / 2;
    i += n;
  }
  out.Colour = t.Head.Colour;
  return out;
}

Elements CollectElements(const TPreviewScene& scene, const JwwModel& m) {
  Elements p;
  for (int32_t i = 0; i < m.EntOrder.Count(); ++i) {
    const TJwwEntRef& ref = m.EntOrder[i];
    const int32_t n = ref.Index;
    switch (ref.Kind) {
      case kKindLine:
        if (n < m.Lines.Count()) {
          const TJwwEntLine& l = m.Lines[n];
          p.Segments.push_back(
              {l.X1, l.Y1, l.X2, l.Y2, l.Head.Colour, l.Head.LineType});
        }
        break;
      case kKindCircle:
        if (n < m.Circles.Count()) {
          const TJwwEntCircle& c = m.Circles[n];
          p.Circles.push_back(
              {c.X, c.Y, std::fabs(c.R), c.Head.Colour, c.Head.LineType});
        }
        break;
      case kKindText:
        if (n < m.Texts.Count()) p.Texts.push_back(MakeText(scene, m.Texts[n]));
        break;
      case kKindPoint:
        if (n < m.Points.Count()) {
          const TJwwEntPoint& pt = m.Points[n];
          p.Dots.push_back({pt.X, pt.Y, pt.Head.Colour});
        }
        break;
      case kKindPointEx:
        if (n < m.PointsEx.Count()) {
          const TJwwEntPointEx& pt = m.PointsEx[n];
          p.Markers.push_back({pt.X, pt.Y,
                               pt.Scale * PaperScale(scene, pt.Head), pt.Angle,
                               pt.PointKind, pt.Head.Colour});
        }
        break;
      case kKindDim:
        if (n < m.Dims.Count()) {
          const TJwwEntDim& d = m.Dims[n];
          p.Segments.push_back({d.Line.X1, d.Line.Y1, d.Line.X2, d.Line.Y2,
                                d.Line.Head.Colour, d.Line.Head.LineType});
          p.Texts.push_back(MakeText(scene, d.Text));
          ++p.DimCount;
        }
        break;
      default: break;  // the tool writes no other kinds
    }
  }
  return p;
}

Primitives Collect(const TPreviewScene& scene) {
  Primitives p;
  p.Drawn = CollectElements(scene, scene.Drawn);
  if (scene.HaveBefore) p.Host = CollectElements(scene, scene.Before);
  if (scene.Chain.Present) {
    const TPreviewChain& c = scene.Chain;
    p.ChainLines.push_back({c.X1, c.Y1, c.X2, c.Y2, 0, 0});
    // The chain's dimension line: through the level point along the axis,
    // between the feet of the two ends.
    const double a = c.AxisAngle * kPi / 180.0;
    const double ux = std::cos(a), uy = std::sin(a);
    const double t1 = (c.X1 - c.X3) * ux + (c.Y1 - c.Y3) * uy;
    const double t2 = (c.X2 - c.X3) * ux + (c.Y2 - c.Y3) * uy;
    p.ChainLines.push_back(
        {c.X3 + t1 * ux, c.Y3 + t1 * uy, c.X3 + t2 * ux, c.Y3 + t2 * uy, 0, 0});
    p.ChainPoints.push_back({c.X1, c.Y1, "chain end 1", kChainLabelColour});
    p.ChainPoints.push_back({c.X2, c.Y2, "chain end 2", kChainLabelColour});
    // Left of its point: the level point usually lies above the first end,
    // whose label stands to the right.
    p.ChainPoints.push_back(
        {c.X3, c.Y3, "level", kChainLabelColour, Label::kAboveLeft});
  }
  if (scene.HaveBefore) {
    for (int k = 1; k <= 2; ++k) {
      if (k < static_cast<int>(scene.Before.HpPoints.size()) &&
          scene.Before.HpPoints[k].Used) {
        const TJwwHpPoint& hp = scene.Before.HpPoints[k];
        p.Picks.push_back({hp.X, hp.Y, k == 1 ? "P1" : "P2", kPickColour,
                           Label::kBelowRight});
      }
    }
  }
  return p;
}

// The four corners of a text's frame, from its reference point along its
// direction and up its height.
void AddTextFrame(Box& box, const Text& t) {
  const double a = t.Angle * kPi / 180.0;
  const double ux = std::cos(a), uy = std::sin(a);
  const double vx = -uy, vy = ux;
  box.Add(t.X, t.Y);
  box.Add(t.X + ux * t.Length, t.Y + uy * t.Length);
  box.Add(t.X + vx * t.Height, t.Y + vy * t.Height);
  box.Add(t.X + ux * t.Length + vx * t.Height,
          t.Y + uy * t.Length + vy * t.Height);
}

void AddElements(Box& box, const Elements& p) {
  for (const Segment& s : p.Segments) {
    box.Add(s.X1, s.Y1);
    box.Add(s.X2, s.Y2);
  }
  for (const Circle& c : p.Circles) {
    box.Add(c.X - c.R, c.Y - c.R);
    box.Add(c.X + c.R, c.Y + c.R);
  }
  for (const Marker& mk : p.Markers) {
    const double r =
        std::fabs(mk.Size) * (IsArrowKind(mk.Kind) ? kArrowLength : 2.0);
    box.Add(mk.X - r, mk.Y - r);
    box.Add(mk.X + r, mk.Y + r);
  }
  for (const Dot& d : p.Dots) box.Add(d.X, d.Y);
  for (const Text& t : p.Texts) AddTextFrame(box, t);
}

Box DrawingBox(const Primitives& p) {
  Box box;
  AddElements(box, p.Drawn);
  AddElements(box, p.Host);
  for (const Segment& s : p.ChainLines) {
    box.Add(s.X1, s.Y1);
    box.Add(s.X2, s.Y2);
  }
  for (const Label& l : p.Picks) box.Add(l.X, l.Y);
  return box;
}

// Drawing units to pixels: x' = K x + Tx, y' = -K y + Ty.
struct View {
  double K = 1.0;
  double Tx = 0.0;
  double Ty = 0.0;
  double DrawingWidthPx = 0.0;
  double DrawingHeightPx = 0.0;
  double CanvasWidthPx = 0.0;
};

View FitView(Box box) {
  if (box.Empty()) {
    box.Add(-50, -50);
    box.Add(50, 50);
  }
  double w = box.MaxX - box.MinX;
  double h = box.MaxY - box.MinY;
  double extent = std::max(w, h);
  if (!(extent > 1e-9)) extent = 1.0;
  // A drawing that is a line or a point still gets a square-ish window.
  w = std::max(w, extent * 0.2);
  h = std::max(h, extent * 0.2);
  // Margin: 6 % of the extent, and room for labels of about 110 pixels.
  double k = std::min(kMaxDrawingWidthPx / (w * 1.12),
                      kMaxDrawingHeightPx / (h * 1.12));
  const double margin = std::max(extent * 0.06, 110.0 / k);
  k = std::min(kMaxDrawingWidthPx / (w + 2 * margin),
               kMaxDrawingHeightPx / (h + 2 * margin));
  const double cx = (box.MinX + box.MaxX) / 2;
  const double cy = (box.MinY + box.MaxY) / 2;
  View v;
  v.K = k;
  v.DrawingWidthPx = std::ceil((w + 2 * margin) * k);
  v.DrawingHeightPx = std::ceil((h + 2 * margin) * k);
  v.CanvasWidthPx = std::max(v.DrawingWidthPx, kMinCanvasWidthPx);
  v.Tx = v.CanvasWidthPx / 2 - cx * k;
  v.Ty = v.DrawingHeightPx / 2 + cy * k;
  return v;
}

// Stroke attributes for a colour and line type, sized in drawing units.
std::string StrokeAttrs(const std::string& colour, int32_t lineType,
                        double unitsPerPx, double widthPx = kStrokePx) {
  std::string s = " stroke=\"" + colour + "\" stroke-width=\"" +
                  Num(widthPx * unitsPerPx) + "\"";
  const std::string dash = PreviewDashPixels(lineType);
  if (!dash.empty()) {
    std::string scaled;
    size_t pos = 0;
    while (pos < dash.size()) {
      size_t next = dash.find(' ', pos);
      if (next == std::string::npos) next = dash.size();
      if (!scaled.empty()) scaled += ' ';
      scaled += Num(std::stod(dash.substr(pos, next - pos)) * unitsPerPx);
      pos = next + 1;
    }
    s += " stroke-dasharray=\"" + scaled + "\"";
  }
  return s;
}

// A marker's shape in its own frame: paper millimetres, y up, the marker's
// direction along +x, the end point at the origin. Arrow-like kinds have
// their tip at the origin and trail back along -x.
std::string MarkerShape(int32_t kind, const std::string& colour,
                        double strokeWidth) {
  const std::string stroke =
      " stroke=\"" + colour + "\" stroke-width=\"" + Num(strokeWidth) + "\"";
  const std::string open = " fill=\"none\"" + stroke;
  const std::string filled = " fill=\"" + colour + "\"" + stroke;
  const std::string L = Num(-kArrowLength), W = Num(kArrowHalfWidth);
  const std::string h = Num(kSmallHalf);
  const std::string triangle =
      "<polygon points=\"0,0 " + L + "," + W + " " + L + ",-" + W + "\"";
  switch (kind) {
    case 1:   // △
    case 11:  // △, the second code
      return triangle + " stroke-linejoin=\"miter\"" + open + "/>";
    case 6:  // ▲
      return triangle + filled + "/>";
    case 9:  // ＞
      return "<polyline points=\"" + L + "," + W + " 0,0 " + L + ",-" + W +
             "\"" + open + "/>";
    case 2:  // □
      return "<rect x=\"-" + h + "\" y=\"-" + h + "\" width=\"" +
             Num(2 * kSmallHalf) + "\" height=\"" + Num(2 * kSmallHalf) + "\"" +
             open + "/>";
    case 5:  // ■
      return "<rect x=\"-" + h + "\" y=\"-" + h + "\" width=\"" +
             Num(2 * kSmallHalf) + "\" height=\"" + Num(2 * kSmallHalf) + "\"" +
             filled + "/>";
    case 3:  // Ｏ
      return "<circle r=\"" + h + "\"" + open + "/>";
    case 4:  // ○
      return "<circle r=\"" + Num(kSmallHalf * 0.8) + "\"" + open + "/>";
    case 7:  // ●
      return "<circle r=\"" + Num(kSmallHalf * 0.8) + "\"" + filled + "/>";
    case 8:  // ～, a wave across the end at 45 degrees
      return "<path d=\"M -1.77 0 C -1.2 0.9 -0.6 0.9 0 0 S 1.2 -0.9 1.77 "
             "0\" transform=\"rotate(45)\"" +
             open + "/>";
    case 10:  // ／
      return "<line x1=\"-" + h + "\" y1=\"-" + h + "\" x2=\"" + h +
             "\" y2=\"" + h + "\"" + stroke + "/>";
    default:  // a code the host does not know: a small cross
      return "<path d=\"M -1 -1 L 1 1 M -1 1 L 1 -1\"" + open + "/>";
  }
}

const char* MarkerGlyph(int32_t kind) {
  static const char* const kGlyphs[] = {"",  "△", "□",  "Ｏ", "○",  "■",
                                        "▲", "●", "～", "＞", "／", "△"};
  return kind >= 1 && kind <= 11 ? kGlyphs[kind] : "?";
}

// A text in the flipped group: translate to the reference point, turn to the
// direction, squeeze to the host's character width, and flip back upright.
std::string TextElement(const Text& t, const std::string& fill,
                        const std::string& extra) {
  const double a = t.Angle * kPi / 180.0;
  const double sx = t.Height > 1e-12 ? t.Width / t.Height : 1.0;
  const double c = std::cos(a), s = std::sin(a);
  std::string e = "<text transform=\"matrix(" + Num(sx * c) + " " +
                  Num(sx * s) + " " + Num(s) + " " + Num(-c) + " " + Num(t.X) +
                  " " + Num(t.Y) + ")\" font-size=\"" + Num(t.Height) +
                  "\" fill=\"" + fill + "\"";
  e += extra + ">";
  if (std::fabs(t.Spacing) > 1e-12 && sx > 1e-12 && !t.Chars.empty()) {
    // With spacing, every character is put where the host puts it; the
    // font's own advance is right only without spacing.
    for (const auto& [offset, utf8] : t.Chars) {
      e += "<tspan x=\"" + Num(offset / sx) + "\">" + EscapeXml(utf8) +
           "</tspan>";
    }
  } else {
    e += EscapeXml(t.Utf8);
  }
  e += "</text>\n";
  return e;
}

std::string LabelElement(const Label& l, double unitsPerPx, const char* cls) {
  Text t;
  t.X = l.X + (l.Where == Label::kAboveLeft ? -7 : 7) * unitsPerPx;
  t.Y = l.Y + (l.Where == Label::kBelowRight ? -17 : 5) * unitsPerPx;
  t.Angle = 0;
  t.Width = t.Height = kLabelPx * unitsPerPx;
  t.Spacing = 0;
  t.Utf8 = l.Utf8;
  std::string extra = std::string(" class=\"") + cls + "\"";
  if (l.Where == Label::kAboveLeft) extra += " text-anchor=\"end\"";
  return TextElement(t, l.Colour, extra);
}

// A small crosshair with a ring, for context points.
std::string ContextPoint(const Label& l, double unitsPerPx, const char* cls) {
  const double r = 5 * unitsPerPx;
  const double arm = 9 * unitsPerPx;
  const std::string st = " stroke=\"" + std::string(l.Colour) +
                         "\" stroke-width=\"" + Num(1.4 * unitsPerPx) + "\"";
  return "<g class=\"" + std::string(cls) + "\"><circle cx=\"" + Num(l.X) +
         "\" cy=\"" + Num(l.Y) + "\" r=\"" + Num(r) + "\" fill=\"none\"" + st +
         "/><path d=\"M " + Num(l.X - arm) + " " + Num(l.Y) + " L " +
         Num(l.X + arm) + " " + Num(l.Y) + " M " + Num(l.X) + " " +
         Num(l.Y - arm) + " L " + Num(l.X) + " " + Num(l.Y + arm) + "\"" + st +
         "/>" + LabelElement(l, unitsPerPx, "label") + "</g>\n";
}

// The SVG of a list of elements inside the drawing group; `u` is drawing
// units per pixel.
std::string ElementsSvg(const Elements& p, double u) {
  std::string out;
  for (const Segment& s : p.Segments) {
    out += "<line x1=\"" + Num(s.X1) + "\" y1=\"" + Num(s.Y1) + "\" x2=\"" +
           Num(s.X2) + "\" y2=\"" + Num(s.Y2) + "\"" +
           StrokeAttrs(PreviewColour(s.Colour), s.LineType, u) + "/>\n";
  }
  for (const Circle& c : p.Circles) {
    out += "<circle cx=\"" + Num(c.X) + "\" cy=\"" + Num(c.Y) + "\" r=\"" +
           Num(c.R) + "\"" +
           StrokeAttrs(PreviewColour(c.Colour), c.LineType, u) + "/>\n";
  }
  for (const Dot& d : p.Dots) {
    out += "<circle class=\"point\" cx=\"" + Num(d.X) + "\" cy=\"" + Num(d.Y) +
           "\" r=\"" + Num(2 * u) + "\" fill=\"" + PreviewColour(d.Colour) +
           "\"/>\n";
  }
  for (const Marker& mk : p.Markers) {
    const double size = std::fabs(mk.Size) > 1e-12 ? mk.Size : 1.0;
    out += "<g class=\"marker\" data-kind=\"" + std::to_string(mk.Kind) +
           "\" transform=\"translate(" + Num(mk.X) + " " + Num(mk.Y) +
           ") rotate(" + Num(mk.Angle) + ") scale(" + Num(size) + ")\">" +
           MarkerShape(mk.Kind, PreviewColour(mk.Colour),
                       kStrokePx * u / std::fabs(size)) +
           "</g>\n";
  }
  for (const Text& t : p.Texts) {
    out += TextElement(t, PreviewColour(t.Colour), " stroke=\"none\"");
  }
  return out;
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The width of a legend text in pixels: the font is fixed-pitch, 7 pixels
// for a single-byte character and 14 for any other.
double LegendWidth(const std::string& utf8) {
  double w = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) {
      w += 7;
    } else if (c >= 0xC0) {
      w += 14;
    }
  }
  return w;
}

// Lays out legend items left to right in rows of the canvas width.
class LegendFlow {
 public:
  LegendFlow(double left, double right, double firstBaseline)
      : left_(left), right_(right), x_(left), y_(firstBaseline) {}

  /// Where an item of `width` pixels goes; starts a new row when it would
  /// not fit (unless the row is empty).
  double Place(double width) {
    if (x_ > left_ && x_ + width > right_) NewRow();
    const double at = x_;
    x_ += width;
    return at;
  }
  void Skip(double width) { x_ += width; }
  void NewRow() {
    x_ = left_;
    y_ += kLegendRowPx;
  }
  double Baseline() const { return y_; }

 private:
  double left_, right_, x_, y_;
};

std::string LegendText(double x, double y, const std::string& utf8,
                       const char* fill = "#222222") {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) +
         "\" font-size=\"14\" fill=\"" + fill + "\">" + EscapeXml(utf8) +
         "</text>\n";
}

// Phrases flowed into rows, at most one row break between phrases.
void FlowPhrases(std::string& out, LegendFlow& flow,
                 const std::vector<std::string>& phrases, const char* fill) {
  for (size_t i = 0; i < phrases.size(); ++i) {
    const std::string text = phrases[i] + (i + 1 < phrases.size() ? ";" : "");
    const double x = flow.Place(LegendWidth(text));
    out += LegendText(x, flow.Baseline(), text, fill);
    flow.Skip(7);
  }
  flow.NewRow();
}

// The legend band below the drawing; `bottom` receives its lowest pixel.
std::string Legend(const TPreviewScene& scene, const Primitives& p,
                   const View& v, double top, double& bottom) {
  std::string out =
      "<g class=\"legend\" font-family=\"" + std::string(kFontFamily) + "\">\n";
  out += "<line x1=\"0\" y1=\"" + Num(top) + "\" x2=\"" + Num(v.CanvasWidthPx) +
         "\" y2=\"" + Num(top) + "\" stroke=\"#cccccc\" stroke-width=\"1\"/>\n";
  const double x0 = 12;
  LegendFlow flow(x0, v.CanvasWidthPx - 12, top + kLegendRowPx);

  std::vector<std::string> summary;
  summary.push_back("JWC_TEMP.TXT in " + ValidUtf8(scene.Folder) + ":");
  if (scene.DrewNothing) {
    summary.push_back("\"hq\", the tool drew nothing");
  } else {
    const size_t plainSegments = p.Drawn.Segments.size() - p.Drawn.DimCount;
    const size_t plainTexts = p.Drawn.Texts.size() - p.Drawn.DimCount;
    std::string counts =
        Plural(plainSegments, "segment", "segments") + ", " +
        Plural(p.Drawn.Markers.size(), "marker", "markers") + ", " +
        Plural(plainTexts, "text", "texts") + ", " +
        Plural(p.Drawn.DimCount, "dimension figure", "dimension figures");
    // Kinds the tool itself never writes, named only when present.
    if (!p.Drawn.Circles.empty()) {
      counts += ", " + Plural(p.Drawn.Circles.size(), "circle", "circles");
    }
    if (!p.Drawn.Dots.empty()) {
      counts += ", " + Plural(p.Drawn.Dots.size(), "point", "points");
    }
    summary.push_back(counts);
  }
  for (const std::string& part : summary) {
    const double x = flow.Place(LegendWidth(part));
    out += LegendText(x, flow.Baseline(), part);
    flow.Skip(7);
  }
  flow.NewRow();

  // One sample of every marker code in the picture.
  std::set<int32_t> kinds;
  for (const Marker& mk : p.Drawn.Markers) kinds.insert(mk.Kind);
  for (const Marker& mk : p.Host.Markers) kinds.insert(mk.Kind);
  if (!kinds.empty()) {
    const double x = flow.Place(70);
    out += LegendText(x, flow.Baseline(), "markers:");
    for (int32_t kind : kinds) {
      const bool arrow = IsArrowKind(kind);
      const double size = arrow ? 2.6 : 5.0;
      const double iconWidth = arrow ? kArrowLength * size : 16;
      const std::string caption =
          "code " + std::to_string(kind) + " " + MarkerGlyph(kind);
      const double x = flow.Place(iconWidth + 8 + LegendWidth(caption));
      const double tipX = arrow ? x + iconWidth : x + 8;
      out += "<g class=\"legend-marker\" transform=\"matrix(" + Num(size) +
             " 0 0 " + Num(-size) + " " + Num(tipX) + " " +
             Num(flow.Baseline() - 5) + ")\">" +
             MarkerShape(kind, "#222222", 1.2 / size) + "</g>\n";
      out += LegendText(x + iconWidth + 8, flow.Baseline(), caption);
      flow.Skip(24);
    }
    flow.NewRow();
  }

  // The context and what it means.
  std::vector<std::string> context;
  if (scene.Chain.Present) {
    const double x = flow.Place(30);
    out += "<line x1=\"" + Num(x) + "\" y1=\"" + Num(flow.Baseline() - 5) +
           "\" x2=\"" + Num(x + 30) + "\" y2=\"" + Num(flow.Baseline() - 5) +
           "\" stroke=\"" + kChainColour +
           "\" stroke-width=\"1.4\" stroke-dasharray=\"6 4\"/>\n";
    flow.Skip(10);
    context.push_back("chain kept in t207.dat (its two ends and level point)");
  } else {
    context.push_back("no t207.dat in the folder: chain not shown");
  }
  if (scene.HaveBefore) {
    context.push_back(p.Picks.empty()
                          ? "the host's file has no picked points 1, 2"
                          : "P1, P2: points picked in the host");
    if (!p.Host.Empty())
      context.push_back("faint: elements of the host's file");
  } else {
    context.push_back("give --before for the picked points");
  }
  FlowPhrases(out, flow, context, "#222222");

  std::vector<std::string> notes = {
      "Markers are drawn from their codes; the host's exact marker shapes "
      "may differ."};
  if (!scene.HaveBefore && !p.Drawn.Texts.empty()) {
    notes.push_back(
        "Text sizes of numbered text types are defaults without --before.");
  }
  for (const std::string& note : notes) {
    const double x = flow.Place(LegendWidth(note));
    out += LegendText(x, flow.Baseline(), note, "#666666");
    flow.Skip(7);
  }
  out += "</g>\n";
  bottom = flow.Baseline() + 12;
  return out;
}

}  // namespace

std::string PreviewColour(int32_t colour) {
  static const char* const kPalette[] = {
      "#000000",  // 0 and everything unknown
      "#0097c4",  // 1 light blue
      "#000000",  // 2 black
      "#008a00",  // 3 green
      "#c49a00",  // 4 yellow, darkened for a white ground
      "#e0309a",  // 5 pink
      "#1f3fd0",  // 6 blue
      "#444444",  // 7 dark grey
      "#d01010",  // 8 red
      "#8c8c8c",  // 9 auxiliary grey
  };
  return colour >= 1 && colour <= 9 ? kPalette[colour] : kPalette[0];
}

std::string PreviewDashPixels(int32_t lineType) {
  switch (lineType) {
    case 2: return "8 4";
    case 3: return "4 4";
    case 4: return "2 4";
    case 5: return "14 4 3 4";
    case 6: return "22 5 3 5";
    case 7: return "14 4 3 4 3 4";
    case 8: return "22 5 3 5 3 5";
    case 9: return "2 3";
    default: return "";
  }
}

std::string RenderPreviewSvg(const TPreviewScene& scene) {
  const Primitives p = Collect(scene);
  const View v = FitView(DrawingBox(p));
  const double u = 1.0 / v.K;  // drawing units per pixel
  double height = 0;
  const std::string legend = Legend(scene, p, v, v.DrawingHeightPx, height);
  height = std::ceil(height);

  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         Num(v.CanvasWidthPx) + "\" height=\"" + Num(height) +
         "\" viewBox=\"0 0 " + Num(v.CanvasWidthPx) + " " + Num(height) +
         "\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  out += "<g id=\"drawing\" transform=\"matrix(" + Num(v.K) + " 0 0 " +
         Num(-v.K) + " " + Num(v.Tx) + " " + Num(v.Ty) +
         ")\" fill=\"none\" stroke-linecap=\"round\" font-family=\"" +
         kFontFamily + "\">\n";

  // Context first, so the drawing lies on top of it.
  for (const Segment& s : p.ChainLines) {
    out += "<line class=\"chain\" x1=\"" + Num(s.X1) + "\" y1=\"" + Num(s.Y1) +
           "\" x2=\"" + Num(s.X2) + "\" y2=\"" + Num(s.Y2) + "\"" +
           StrokeAttrs(kChainColour, 2, u, 1.2) + "/>\n";
  }
  for (const Label& l : p.ChainPoints) out += ContextPoint(l, u, "chain-point");
  for (const Label& l : p.Picks) out += ContextPoint(l, u, "pick");

  if (!p.Host.Empty()) {
    out += "<g class=\"host\" opacity=\"0.3\">\n";
    out += ElementsSvg(p.Host, u);
    out += "</g>\n";
  }
  out += ElementsSvg(p.Drawn, u);
  out += "</g>\n";
  out += legend;
  out += "</svg>\n";
  return out;
}
