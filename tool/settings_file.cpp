// The settings file t207.dat, shared with the sibling tools t207 and t319:
// 31 lines, CR LF, no header. One table reads and writes the lines: from a
// text in memory or from the file as it is read, and into a text that
// saving puts on the disk. Loading is forgiving:
// missing lines read as empty text, lines after the 31st are never read,
// and a read error stops loading with the lines read before it applied.
// Saving replaces the file only when the new one is complete, so a failed
// save keeps the user's old settings and chain.
#include "tool/settings_file.h"

#include <string>

#include "support/file_system.h"
#include "support/number_text.h"

namespace {

// A negative value selects the first item; one past the items selects none.
void ApplyListRule(TComboBox& box, int32_t v) {
  if (v < 0) v = 0;
  box.ItemIndex = v < static_cast<int64_t>(box.Items.size()) ? v : -1;
}

// A negative value selects the first button; one past the buttons selects
// the last.
void ApplyRadioRule(TRadioGroup& group, int32_t v) {
  const int32_t count = static_cast<int32_t>(group.Items.size());
  if (v < 0) v = 0;
  if (v >= count) v = count - 1;
  group.ItemIndex = v;
}

// How a line reads into its field or control, and how that is written.
void Load(int32_t& v, const std::string& line) {
  v = SafeStrToInt(line);
}
void Load(double& v, const std::string& line) {
  v = SafeStrToFloat(line);
}
void Load(TComboBox& box, const std::string& line) {
  ApplyListRule(box, SafeStrToInt(line));
}
void Load(TEdit& edit, const std::string& line) {
  edit.Text = line;  // taken whole, even past the byte limit
}
void Load(TRadioGroup& group, const std::string& line) {
  ApplyRadioRule(group, SafeStrToInt(line));
}
void Load(TCheckBox& check, const std::string& line) {
  check.Checked = SafeStrToInt(line) != 0;
}

std::string Save(int32_t v) {
  return std::to_string(v);
}
std::string Save(double v) {
  return FormatGeneral(v);
}
std::string Save(const TComboBox& box) {
  return std::to_string(box.ItemIndex);
}
std::string Save(const TEdit& edit) {
  return edit.Text;
}
std::string Save(const TRadioGroup& group) {
  return std::to_string(group.ItemIndex);
}
std::string Save(const TCheckBox& check) {
  return check.Checked ? "1" : "0";
}

struct SettingsLine {
  void (*load)(TForm1& form, const std::string& line);
  std::string (*save)(const TForm1& form);
};

// A line that holds one member of the form both ways.
template <auto Member>
constexpr SettingsLine Field() {
  return {
      [](TForm1& form, const std::string& line) { Load(form.*Member, line); },
      [](const TForm1& form) { return Save(form.*Member); }};
}

// The 31 lines of t207.dat in order. The edits stand in the order of their
// numbers, not in tab order. Lines 23 to 25 record the context of the run
// that saved them, from the model; the chain after them is at that scale.
constexpr SettingsLine kSettingsLines[] = {
    Field<&TForm1::WindowLeft>(),
    Field<&TForm1::WindowTop>(),
    Field<&TForm1::ComboBox1>(),
    Field<&TForm1::ComboBox2>(),
    Field<&TForm1::ComboBox3>(),
    Field<&TForm1::ComboBox4>(),
    Field<&TForm1::ComboBox5>(),
    Field<&TForm1::Edit1>(),
    Field<&TForm1::Edit2>(),
    Field<&TForm1::Edit3>(),
    Field<&TForm1::Edit4>(),
    Field<&TForm1::Edit5>(),
    Field<&TForm1::Edit6>(),
    Field<&TForm1::Edit7>(),
    Field<&TForm1::Edit8>(),
    Field<&TForm1::Edit9>(),
    Field<&TForm1::RadioGroup1>(),
    Field<&TForm1::RadioGroup2>(),
    Field<&TForm1::CheckBox1>(),
    Field<&TForm1::CheckBox2>(),
    Field<&TForm1::CheckBox3>(),
    Field<&TForm1::CheckBox4>(),
    {[](TForm1& form, const std::string& line) {
       const int32_t group = SafeStrToInt(line);
       form.SavedLayerGroup = group < 0 || group > 15 ? 0 : group;
     },
     [](const TForm1& form) { return Save(form.Model.InitGroup); }},
    {[](TForm1& form, const std::string& line) {
       const double scale = SafeStrToFloat(line);
       form.SavedScale = scale > 1e-10L ? scale : 1.0;
     },
     [](const TForm1& form) { return Save(InitGroupScale(form.Model)); }},
    {[](TForm1& form, const std::string& line) {
       form.SavedAxisAngle = SafeStrToFloat(line);
     },
     [](const TForm1& form) { return Save(form.Model.AxisAngle); }},
    Field<&TForm1::PrevX1>(),
    Field<&TForm1::PrevY1>(),
    Field<&TForm1::PrevX2>(),
    Field<&TForm1::PrevY2>(),
    Field<&TForm1::PrevX3>(),
    Field<&TForm1::PrevY3>(),
};
static_assert(sizeof kSettingsLines / sizeof kSettingsLines[0] == 31,
              "t207.dat has 31 lines");

// What a source of settings lines gives for the next line of the table.
enum class NextLine { Line, PastEnd, Stop };

// Applies the table's lines in order, each taken from `next(line)`: a line,
// or past the end of the text (the line reads as empty text), or a read
// error (loading stops, with the lines before it applied).
template <class Source>
void ApplySettingsLines(TForm1& form, Source&& next) {
  std::string line;
  for (const SettingsLine& settingsLine : kSettingsLines) {
    switch (next(line)) {
      case NextLine::Stop: return;
      case NextLine::PastEnd: line.clear(); break;
      case NextLine::Line: break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    settingsLine.load(form, line);
  }
}

}  // namespace

void ParseSettings(std::string_view text, TForm1& form) {
  ApplySettingsLines(form, [&text](std::string& line) {
    if (text.empty()) return NextLine::PastEnd;
    const size_t lf = text.find('\n');
    line.assign(text.substr(0, lf));
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    return NextLine::Line;
  });
}

std::string RenderSettings(const TForm1& form) {
  std::string out;
  for (const SettingsLine& line : kSettingsLines) {
    out += line.save(form);
    out += "\r\n";
  }
  return out;
}

void TForm1::LoadSettings(const std::string& fileName) {
  WindowLeft = 100;
  WindowTop = 100;
  SavedLayerGroup = -1;
  SavedScale = 1.0;
  SavedAxisAngle = 0.0;

  if (!Files().FileExists(fileName)) return;
  std::unique_ptr<ReadStream> in = Files().OpenRead(fileName);
  if (!in) return;
  // Only the lines that are applied are read, each bounded by the reader.
  LineReader reader(*in);
  ApplySettingsLines(*this, [&reader](std::string& line) {
    if (reader.Next(line)) return NextLine::Line;
    return reader.Failed() ? NextLine::Stop : NextLine::PastEnd;
  });
}

bool TForm1::SaveSettings(const std::string& fileName) {
  const std::string text = RenderSettings(*this);
  // On a failure the writer removes its temporary file.
  AtomicFileWriter writer(fileName);
  const bool saved = writer.Open() && writer.Write(text) && writer.Commit();
  if (!saved) NoteFailedWrite(fileName);
  return saved;
}
