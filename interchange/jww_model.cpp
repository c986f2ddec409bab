// Life of the drawing model: initial values, release, element headers and the
// element order.
#include "interchange/jww_model.h"

// "<ＭＳ ゴシック>"
const char* const kJwwDefaultFont =
    "<\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E>";

void InitJwwModel(JwwModel& m) {
  m = JwwModel();
  m.GroupScale.fill(1.0);
  m.TextTypes.fill(TJwwTextType());
  for (int i = kAttrGroup; i <= kAttrTextType; ++i) m.AttrFresh[i] = true;
  m.GroupParam.assign(16, 0);
  m.GroupName.assign(16, std::string());
  m.LayerParam.assign(256, 0);
  m.LayerName.assign(256, std::string());
  m.HpPoints.assign(100, TJwwHpPoint());
  m.PendingDimLine = TJwwEntLine();
  m.PendingDimLine.Head = TJwwEntHead{0, 0, 0, 1, 1, 0, 0};
  m.PendingDimLine.X2 = 1.0;
}

namespace {
template <class T>
void Release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}
}  // namespace

void FreeJwwModel(JwwModel& m) {
  Release(m.GroupParam);
  Release(m.GroupName);
  Release(m.LayerParam);
  Release(m.LayerName);
  Release(m.HpPoints);
  m.Lines.ReleaseStorage();
  m.Circles.ReleaseStorage();
  m.CirclesEx.ReleaseStorage();
  m.Texts.ReleaseStorage();
  m.Points.ReleaseStorage();
  m.PointsEx.ReleaseStorage();
  m.Dims.ReleaseStorage();
  m.Blocks.ReleaseStorage();
  m.Sl2.ReleaseStorage();
  m.Sl3.ReleaseStorage();
  m.Sl4.ReleaseStorage();
  m.Sc.ReleaseStorage();
  m.Se.ReleaseStorage();
  m.So.ReleaseStorage();
  m.Sg.ReleaseStorage();
  m.EntOrder.ReleaseStorage();
  m.OutputLines.ReleaseStorage();
}

void FillEntHead(const JwwModel& m, TJwwEntHead& head) {
  head.HhpNumber = m.CurHhpNumber;
  head.Group = m.CurGroup;
  head.Layer = m.CurLayer;
  head.Colour = m.CurColour;
  head.LineType = m.CurLineType;
  head.LineWidth = m.CurLineWidth;
  head.ZFlags = m.CurZFlags;
}

void AddEntRef(JwwModel& m, int32_t kind, int32_t index) {
  TJwwEntRef& ref = m.EntOrder.Append();
  ref.Kind = kind;
  ref.Index = index;
}

double InitGroupScale(const JwwModel& m) {
  const bool known = m.InitGroup >= 0 && m.InitGroup < 16;
  return known ? m.GroupScale[static_cast<size_t>(m.InitGroup)] : 1.0;
}
