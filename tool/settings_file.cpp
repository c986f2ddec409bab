// The settings file t207.dat, shared with the sibling tools t207 and t319:
// 31 lines, CR LF, no header. Loading is forgiving: each line is applied as
// soon as it is read, missing lines read as empty text, lines after the 31st
// are never read, and a read error stops loading with what was applied so
// far. Saving replaces the file only when the new one is complete, so a
// failed save keeps the user's old settings and chain.
#include <string>

#include "support/file_system.h"
#include "support/number_text.h"
#include "tool/form.h"

namespace {

constexpr int kSettingsLines = 31;

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

bool CheckLine(const std::string& line) {
  return SafeStrToInt(line) != 0;
}

std::string Bool01(bool b) {
  return b ? "1" : "0";
}

}  // namespace

void TForm1::LoadSettings(const std::string& fileName) {
  WindowLeft = 100;
  WindowTop = 100;
  SavedLayerGroup = -1;
  SavedScale = 1.0;
  SavedAxisAngle = 0.0;

  if (!Files().FileExists(fileName)) return;
  std::unique_ptr<ReadStream> in = Files().OpenRead(fileName);
  if (!in) return;
  LineReader reader(*in);

  TEdit* const edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5,
                          &Edit6, &Edit7, &Edit8, &Edit9};
  TComboBox* const lists[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4,
                              &ComboBox5};
  TCheckBox* const checks[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4};
  double* const prev[] = {&PrevX1, &PrevY1, &PrevX2, &PrevY2, &PrevX3, &PrevY3};

  std::string line;
  for (int n = 1; n <= kSettingsLines; ++n) {
    if (!reader.Next(line)) {
      if (reader.Failed()) return;  // keep what was applied so far
      line.clear();                 // past the end: missing lines are empty
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();

    if (n == 1) {
      WindowLeft = SafeStrToInt(line);
    } else if (n == 2) {
      WindowTop = SafeStrToInt(line);
    } else if (n <= 7) {
      ApplyListRule(*lists[n - 3], SafeStrToInt(line));
    } else if (n <= 16) {
      edits[n - 8]->Text = line;  // taken whole, even past the byte limit
    } else if (n == 17) {
      ApplyRadioRule(RadioGroup1, SafeStrToInt(line));
    } else if (n == 18) {
      ApplyRadioRule(RadioGroup2, SafeStrToInt(line));
    } else if (n <= 22) {
      checks[n - 19]->Checked = CheckLine(line);
    } else if (n == 23) {
      const int32_t group = SafeStrToInt(line);
      SavedLayerGroup = group < 0 || group > 15 ? 0 : group;
    } else if (n == 24) {
      const double scale = SafeStrToFloat(line);
      SavedScale = scale > 1e-10L ? scale : 1.0;
    } else if (n == 25) {
      SavedAxisAngle = SafeStrToFloat(line);
    } else {
      *prev[n - 26] = SafeStrToFloat(line);
    }
  }
}

bool TForm1::SaveSettings(const std::string& fileName) {
  std::string out;
  auto put = [&out](const std::string& s) {
    out += s;
    out += "\r\n";
  };
  auto putInt = [&put](int32_t v) { put(std::to_string(v)); };
  auto putReal = [&put](double v) { put(FormatGeneral(v)); };

  putInt(WindowLeft);
  putInt(WindowTop);
  for (const TComboBox* box :
       {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4, &ComboBox5}) {
    putInt(box->ItemIndex);
  }
  for (const TEdit* e : {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7,
                         &Edit8, &Edit9}) {
    put(e->Text);
  }
  putInt(RadioGroup1.ItemIndex);
  putInt(RadioGroup2.ItemIndex);
  for (const TCheckBox* c : {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4}) {
    put(Bool01(c->Checked));
  }
  // The context of this run, from the model: the chain below is at its scale.
  putInt(Model.InitGroup);
  putReal(InitGroupScale(Model));
  putReal(Model.AxisAngle);
  for (double v : {PrevX1, PrevY1, PrevX2, PrevY2, PrevX3, PrevY3}) putReal(v);

  // On a failure the writer removes its temporary file.
  AtomicFileWriter writer(fileName);
  const bool saved = writer.Open() && writer.Write(out) && writer.Commit();
  if (!saved) NoteFailedWrite(fileName);
  return saved;
}
