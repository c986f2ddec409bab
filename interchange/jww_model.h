// The in-memory picture of the host's interchange file JWC_TEMP.TXT: header
// values, layer tables, initial and current attributes, picked points,
// element lists and the writer's output buffer. One instance per run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "interchange/jww_list.h"

/// Texts and fonts of elements hold at most this many bytes.
constexpr size_t kJwwTextMax = 255;

struct TJwwTextType {
  double Width = 3.0;
  double Height = 3.0;
  double Spacing = 0.0;
  int32_t Colour = 2;
};

struct TJwwHpPoint {
  uint8_t Used = 0;
  double X = 0.0;
  double Y = 0.0;
  int32_t PickKind = 0;  // 0 none, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

struct TJwwEntHead {
  int32_t HhpNumber = 0;
  int32_t Group = 0;
  int32_t Layer = 0;
  int32_t Colour = 0;
  int32_t LineType = 0;
  int32_t LineWidth = 0;
  int32_t ZFlags = 0;
};

struct TJwwEntLine {  // kind 1
  TJwwEntHead Head;
  int32_t PolylineNo = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TJwwEntCircle {  // kind 2
  TJwwEntHead Head;
  double X = 0, Y = 0, R = 0;
};

struct TJwwEntCircleEx {  // kind 3
  TJwwEntHead Head;
  double N1 = 0, N2 = 0, N3 = 0, N4 = 0, N5 = 0, N6 = 0, N7 = 0;
};

struct TJwwEntText {  // kind 4
  TJwwEntHead Head;
  int32_t TextKind =
      0;  // 0 ch, 1 cv, 2 cs, 3 cr, 4 co, 5 cp, 6 ct, 7 ck, 8 cz, 9 c2
  int32_t CcValue = 0;
  int32_t TextType = 0;
  double Width = 0, Height = 0, Spacing = 0;
  double X = 0, Y = 0, DX = 0, DY = 0;
  std::string Font;  // at most kJwwTextMax bytes
  std::string Text;  // at most kJwwTextMax bytes
};

struct TJwwEntPoint {  // kind 5
  TJwwEntHead Head;
  double X = 0, Y = 0;
};

struct TJwwEntPointEx {  // kind 6
  TJwwEntHead Head;
  double X = 0, Y = 0, Scale = 0, Angle = 0;
  int32_t PointKind = 0;
};

struct TJwwEntDim {  // kind 7
  TJwwEntHead Head;
  TJwwEntLine Line;
  TJwwEntText Text;
};

struct TJwwEntBlk {  // kind 8
  TJwwEntHead Head;
  double X = 0, Y = 0;
  std::string Name;  // any length
};

struct TJwwEntSl2 {  // kind 9
  TJwwEntHead Head;
  int32_t ColourExt = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TJwwEntSl3 {  // kind 10
  TJwwEntHead Head;
  int32_t ColourExt = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0;
};

struct TJwwEntSl4 {  // kind 11
  TJwwEntHead Head;
  int32_t ColourExt = 0;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
};

struct TJwwEntSc {  // kind 12; TJwwEntSe (13) has the same fields
  TJwwEntHead Head;
  int32_t ColourExt = 0;
  double N1 = 0, N2 = 0, N3 = 0, N4 = 0, N5 = 0, N6 = 0, N7 = 0;
  int32_t N8 = 0;
};
using TJwwEntSe = TJwwEntSc;

struct TJwwEntSo {  // kind 14; TJwwEntSg (15) has the same fields
  TJwwEntHead Head;
  int32_t ColourExt = 0;
  double N1 = 0, N2 = 0, N3 = 0, N4 = 0, N5 = 0, N6 = 0, N7 = 0, N8 = 0;
};
using TJwwEntSg = TJwwEntSo;

struct TJwwEntRef {
  int32_t Kind = 0;
  int32_t Index = 0;
};

/// Element kinds as EntOrder records them.
enum JwwKind : int32_t {
  kKindLine = 1,
  kKindCircle = 2,
  kKindCircleEx = 3,
  kKindText = 4,
  kKindPoint = 5,
  kKindPointEx = 6,
  kKindDim = 7,
  kKindBlk = 8,
  kKindSl2 = 9,
  kKindSl3 = 10,
  kKindSl4 = 11,
  kKindSc = 12,
  kKindSe = 13,
  kKindSo = 14,
  kKindSg = 15,
};

/// Indices into AttrFresh.
enum JwwAttr : int {
  kAttrGroup = 0,
  kAttrLayer = 1,
  kAttrColour = 2,
  kAttrLineType = 3,
  kAttrLineWidth = 4,
  kAttrTextType = 5,
  kAttrCc = 6,
  kAttrFont = 7,
  kAttrPointColour = 8,
};

/// The font the current attributes start with: "<ＭＳ ゴシック>" in Shift-JIS.
extern const char* const kJwwDefaultFont;

/// The attributes whose records a drawing sets and keeps until the next one:
/// while reading, the values the host's records set last; after reading, the
/// writer's record of the values it wrote last, so that a record repeating
/// one is left out. The model is one of these (its fields are the model's
/// own), so that an attribute added here is reset, marked and taken back
/// with the others (ResetCurrentAttributes, MarkJwcWriter, RollBackJwcWriter).
struct TJwwCurAttrs {
  /// AttrFresh[attr]: the next record of attr counts whatever its value
  /// (reading: it also sets the initial value; writing: it goes out even
  /// when it repeats the value written last).
  std::array<bool, 9> AttrFresh{};
  int32_t CurGroup = 0;
  int32_t CurLayer = 0;
  int32_t CurColour = 1;
  int32_t CurLineType = 1;
  int32_t CurLineWidth = 0;
  int32_t CurTextType = 1;
  double CurTextWidth = 2.0;
  double CurTextHeight = 2.0;
  double CurTextSpacing = 0.0;
  int32_t CurTextColour = 1;
  int32_t CurCcValue = 0;
  std::string CurFont = kJwwDefaultFont;
  int32_t CurPointColour = 1;
};

struct JwwModel : TJwwCurAttrs {
  // Header values.
  std::string FileName;
  double AxisAngle = 0.0;
  std::array<double, 16> GroupScale{};
  double SheetWidth = 1189.0;
  double SheetHeight = 841.0;
  /// TextTypes[N] is text type N for N = 1..10; entry 0 is not used.
  std::array<TJwwTextType, 11> TextTypes{};
  bool BzFlag = false;
  std::array<double, 4> HnValues{};

  // Layer tables (sized by InitJwwModel, released by FreeJwwModel).
  std::vector<int32_t> GroupParam;     // 16, by group
  std::vector<std::string> GroupName;  // 16, by group
  std::vector<int32_t> LayerParam;     // 256, group * 16 + layer
  std::vector<std::string> LayerName;  // 256, group * 16 + layer

  // Initial attributes: the value of the first record of each kind.
  int32_t InitGroup = 0;
  int32_t InitLayer = 0;
  int32_t InitColour = 1;
  int32_t InitLineType = 1;
  int32_t InitLineWidth = 0;
  int32_t InitTextType = 1;
  double InitTextWidth = 2.0;
  double InitTextHeight = 2.0;
  double InitTextSpacing = 0.0;
  int32_t InitTextColour = 1;
  std::string InitFont;
  bool LineWidthSeen = false;

  // The current attributes are the base TJwwCurAttrs.

  // Reading state: what records set for the elements that follow them, which
  // the writer does not keep.
  int32_t CurHhpNumber = 0;
  int32_t CurZFlags = 0;
  int32_t PolylineCount = 0;
  bool PolylineMode = false;
  bool DimMode = false;
  int32_t CurColourExt = 0;
  TJwwEntLine PendingDimLine;

  // Picked points, indexed 1..99 (sized 100 by InitJwwModel).
  std::vector<TJwwHpPoint> HpPoints;
  int32_t HpCount = 0;

  // Element lists.
  JwwList<TJwwEntLine> Lines;
  JwwList<TJwwEntCircle> Circles;
  JwwList<TJwwEntCircleEx> CirclesEx;
  JwwList<TJwwEntText> Texts;
  JwwList<TJwwEntPoint> Points;
  JwwList<TJwwEntPointEx> PointsEx;
  JwwList<TJwwEntDim> Dims;
  JwwList<TJwwEntBlk> Blocks;
  JwwList<TJwwEntSl2> Sl2;
  JwwList<TJwwEntSl3> Sl3;
  JwwList<TJwwEntSl4> Sl4;
  JwwList<TJwwEntSc> Sc;
  JwwList<TJwwEntSe> Se;
  JwwList<TJwwEntSo> So;
  JwwList<TJwwEntSg> Sg;
  JwwList<TJwwEntRef> EntOrder;

  /// The writer's output lines, each at most kJwwTextMax bytes.
  JwwList<std::string> OutputLines;
};

/// Gives every field its initial value, sets AttrFresh 0..5, sizes the layer
/// tables and HpPoints, and empties every list (storage released).
void InitJwwModel(JwwModel& m);

/// Releases the tables, HpPoints, EntOrder, every element list and
/// OutputLines; counts stay as they are.
void FreeJwwModel(JwwModel& m);

/// Writes a new element's header from the current attributes.
void FillEntHead(const JwwModel& m, TJwwEntHead& head);

/// Appends {kind, index} to EntOrder.
void AddEntRef(JwwModel& m, int32_t kind, int32_t index);

/// The scale of the layer group the host reported first (GroupScale of
/// InitGroup); 1 should InitGroup ever lie outside 0..15.
double InitGroupScale(const JwwModel& m);
