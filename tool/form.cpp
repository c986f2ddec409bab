// Form1: the controls' initial state, the show and close handlers, Cancel and
// the status line. The settings file is in settings_file.cpp, the OK handler
// in button1_click.cpp.
#include "tool/form.h"

#include <string>

#include "interchange/jww_gaibu.h"
#include "support/file_system.h"
#include "support/number_text.h"
#include "tool/texts.h"

namespace {

TEdit MakeEdit(const char* text, int maxLength) {
  TEdit e;
  e.Text = text;
  e.MaxLength = maxLength;
  return e;
}

std::vector<std::string> MarkerItems() {
  // Index 1 and 11 both read as a triangle; the OK handler tells them apart
  // by index.
  return {texts::kMarkerLineArrow,      texts::kMarkerTriangle,
          texts::kMarkerSquare,         texts::kMarkerLetterO,
          texts::kMarkerCircle,         texts::kMarkerFilledSquare,
          texts::kMarkerFilledTriangle, texts::kMarkerFilledCircle,
          texts::kMarkerTilde,          texts::kMarkerGreater,
          texts::kMarkerSlash,          texts::kMarkerTriangle};
}

std::string CurrentTextTypeItem(int32_t initTextType) {
  std::string item = texts::kCurrentTextTypeHead;
  if (initTextType == 0) {
    item += "Free)";
  } else {
    item += "No" + std::to_string(initTextType) + ")";
  }
  return item;
}

std::string TextTypeItem(int n, const TJwwTextType& t) {
  return "No" + std::to_string(n) + ": W" + FormatGeneral(t.Width) + " H" +
         FormatGeneral(t.Height) + " D" + FormatGeneral(t.Spacing);
}

}  // namespace

TForm1::TForm1(PlatformPort& port) : port_(port) {
  ComboBox1.Items = MarkerItems();
  ComboBox1.ItemIndex = 0;
  ComboBox2.Items = MarkerItems();
  ComboBox2.ItemIndex = 0;
  // ComboBox3 gets its items from FormShow, once the host's text types are
  // known.
  ComboBox4.Items = {"1",       "0.1",      "0.01",      "0.001",     "0.0001",
                     "0.00001", "0.000001", "0.0000001", "0.00000001"};
  ComboBox4.ItemIndex = 3;
  ComboBox5.Items = {texts::kRoundDown, texts::kRoundUp, texts::kRoundHalfUp};
  ComboBox5.ItemIndex = 2;

  Edit1 = MakeEdit("1", 16);
  Edit2 = MakeEdit("", 32);
  Edit3 = MakeEdit("", 32);
  Edit4 = MakeEdit("0.5", 16);
  Edit5 = MakeEdit("2", 16);
  Edit6 = MakeEdit("2", 16);
  Edit7 = MakeEdit("3", 8);
  Edit8 = MakeEdit("15", 8);
  Edit9 = MakeEdit("2", 16);

  RadioGroup1.Items = {texts::kRadioZerosNo, texts::kRadioZerosYes};
  RadioGroup1.ItemIndex = 0;
  RadioGroup2.Items = {"mm", texts::kUnitMetre};
  RadioGroup2.ItemIndex = 0;

  LabelA1.Caption = texts::kStatusIdle;
  Memo1.Lines.assign(texts::kMemoLines,
                     texts::kMemoLines + texts::kMemoLineCount);
}

void TForm1::FormShow() {
  InitJwwModel(Model);
  ExePath = port_.ProgramFolder();
  // A missing or unreadable host file leaves the model's defaults.
  (void)ReadJwcTemp(Model, ExePath + "JWC_TEMP.TXT");
  ResetCurrentAttributes(Model);

  ComboBox3.Items.clear();
  ComboBox3.Items.push_back(CurrentTextTypeItem(Model.InitTextType));
  for (int n = 1; n <= 10; ++n) {
    ComboBox3.Items.push_back(TextTypeItem(n, Model.TextTypes[n]));
  }

  // After the items: the settings select an item of ComboBox3 by index.
  const std::string settings = ExePath + "t207.dat";
  LoadSettings(settings);
  if (Files().FileExists(settings) && SavedLayerGroup != -1) {
    port_.MoveDialog(WindowLeft, WindowTop);
    return;
  }
  port_.ShowConfirmation(texts::kMsgNoSettings);
  Close();
}

void TForm1::FormClose() {
  // Without FormShow there is no folder to write into, and nothing to say to
  // the host.
  if (!ExePath.empty()) {
    const std::string answer = ExePath + "JWC_TEMP.TXT";
    if (!WriteJwcTemp(Model, answer)) NoteFailedWrite(answer);
  }
  FreeJwwModel(Model);
}

void TForm1::NoteFailedWrite(const std::string& fileName) {
  if (!failedWrite_.empty()) return;
  const size_t slash = fileName.find_last_of("/\\");
  failedWrite_ =
      slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

void TForm1::Button2Click() {
  Close();
}

void TForm1::Close() {
  if (closed_) return;
  closed_ = true;  // before FormClose, so that nothing it calls closes again
  FormClose();
  port_.CloseDialog();
}

void TForm1::SetStatus(const std::string& caption) {
  LabelA1.Caption = caption;
  port_.ShowStatus(caption);
}
