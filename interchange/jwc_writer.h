// Writer of the tool's answer to the host: emitters append lines to
// OutputLines (leaving out attribute records that repeat the last written
// value), and WriteJwcTemp puts them into JWC_TEMP.TXT.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "interchange/jww_model.h"

/// Sets every fresh flag and puts the last written values back to their
/// start values (hhp, z flags and polyline/dimension state untouched).
void ResetCurrentAttributes(JwwModel& m);

/// The writer at one moment: the number of output lines and its record of
/// the attributes it wrote last, which is all the emitters change.
struct TJwcWriterMark {
  int32_t OutputCount = 0;
  TJwwCurAttrs Attrs;
};

/// Marks where the writer stands. Throws only std::bad_alloc, changing
/// nothing.
TJwcWriterMark MarkJwcWriter(const JwwModel& m);

/// Takes the writer back to `mark`, taken from this model: the lines
/// appended since are dropped and the attributes read as they did, so that
/// nothing that was taken back counts as written. Never throws; the mark is
/// used up.
void RollBackJwcWriter(JwwModel& m, TJwcWriterMark& mark) noexcept;

/// Appends a line, cut to 255 bytes.
void AddOutputLine(JwwModel& m, std::string_view line);

void EmitLayerGroup(JwwModel& m, int32_t group);
void EmitLayer(JwwModel& m, int32_t layer);
void EmitLineColour(JwwModel& m, int32_t colour);
void EmitLineType(JwwModel& m, int32_t lineType);
void EmitLineWidth(JwwModel& m, int32_t width);
void EmitCc(JwwModel& m, int32_t value);
void EmitFontName(JwwModel& m, std::string_view name);
void EmitPointColour(JwwModel& m, int32_t colour);
void EmitTextType(JwwModel& m, int32_t typeNo, int32_t colour, double width,
                  double height, double spacing);

/// The z flag that gives an element the dimension attribute: written as the
/// "z3" record.
constexpr int32_t kDimensionZFlag = 4;

void EmitZFlags(JwwModel& m, int32_t flags);
void EmitSegment(JwwModel& m, double x1, double y1, double x2, double y2);
void EmitPoint(JwwModel& m, int32_t kind, double x, double y, double scale,
               double angle);
void EmitText(JwwModel& m, int32_t kind, std::string_view text, double x,
              double y, double dx, double dy);
void EmitDimension(JwwModel& m, std::string_view text, double x1, double y1,
                   double x2, double y2, double tx, double ty, double dx,
                   double dy);

/// The bytes WriteJwcTemp puts into the file: the output lines with CR LF,
/// a command line ending in a double quote joined with its partner line, or
/// "hq" CR LF when there is none.
std::string RenderJwcTemp(const JwwModel& m);

/// Writes the output lines into `path` through a temporary file that
/// replaces it only when complete. Returns false on any error, leaving no
/// temporary file behind and deleting the old `path` (the host's input must
/// not be read back as the answer).
[[nodiscard]] bool WriteJwcTemp(const JwwModel& m, const std::string& path);
