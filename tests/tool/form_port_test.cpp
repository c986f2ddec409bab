// The headless port's judgement of a handler call, and the UTF-8 spelling of
// the run's messages that the batch runner prints.
#include <gtest/gtest.h>

#include <string>

#include "tool/headless_port.h"
#include "tool/message_utf8.h"
#include "tool/texts.h"

#if !defined(_WIN32) && __has_include(<iconv.h>)
#include <iconv.h>
#define T482_HAVE_ICONV 1
#endif

namespace {

TEST(HeadlessPortTest, JudgesWhatAHandlerDid) {
  struct Case {
    const char* what;
    void (*act)(HeadlessPort&);
    HandlerOutcome expected;
  };
  const Case cases[] = {
      {"nothing", [](HeadlessPort&) {}, HandlerOutcome::Open},
      {"status only", [](HeadlessPort& p) { p.ShowStatus("x"); },
       HandlerOutcome::Open},
      {"drawn and closed",
       [](HeadlessPort& p) {
         p.ShowStatus("a");
         p.ShowStatus("b");
         p.CloseDialog();
       },
       HandlerOutcome::Closed},
      {"focus", [](HeadlessPort& p) { p.FocusControl(ControlId::Edit7); },
       HandlerOutcome::Focused},
      {"message, dialog open", [](HeadlessPort& p) { p.ShowConfirmation("m"); },
       HandlerOutcome::Message},
      {"message, then closed",
       [](HeadlessPort& p) {
         p.ShowConfirmation("m");
         p.CloseDialog();
       },
       HandlerOutcome::Message},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HeadlessPort port("/x/");
    // Records from before the mark do not count.
    port.FocusControl(ControlId::ComboBox1);
    port.ShowConfirmation("earlier");
    const PortMark mark = MarkPort(port);
    c.act(port);
    EXPECT_EQ(OutcomeSince(port, mark), c.expected);
  }
}

TEST(HeadlessPortTest, MovesTheDialogItReports) {
  HeadlessPort port("/x/", 7, 8);
  EXPECT_EQ(port.ProgramFolder(), "/x/");
  EXPECT_EQ(port.DialogLeft(), 7);
  port.MoveDialog(-3, 4000);
  EXPECT_EQ(port.DialogLeft(), -3);
  EXPECT_EQ(port.DialogTop(), 4000);
  EXPECT_EQ(port.Moves.size(), 1u);
}

TEST(MessageUtf8Test, KnownMessagesAndEscapes) {
  const struct {
    std::string sjis;
    std::string utf8;
  } cases[] = {
      {texts::kMsgZeroLength, "寸法が「0」になりますので作図出来ません"},
      {texts::kMsgNoPickedPoint, "点が指示されていません。"},
      {"abc", "abc"},
      {"a\\b", "a\\x5Cb"},
      {"\x81\x40\n", "\\x81\\x40\\x0A"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageUtf8(c.sjis), c.utf8);
}

#ifdef T482_HAVE_ICONV
// Each generated UTF-8 spelling must be exactly the Shift-JIS bytes beside
// it, and each of the messages must have one.
TEST(MessageUtf8Test, TableAgreesWithTheShiftJisTexts) {
  for (const char* sjis : {texts::kMsgNoSettings, texts::kMsgInsideChain,
                           texts::kMsgZeroLength, texts::kMsgNoPickedPoint}) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = sjis;
    std::string out(in.size() * 3 + 4, '\0');
    char* ip = in.data();
    size_t il = in.size();
    char* op = out.data();
    size_t ol = out.size();
    ASSERT_NE(iconv(cd, &ip, &il, &op, &ol), static_cast<size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - ol);
    EXPECT_EQ(MessageUtf8(sjis), out);
    EXPECT_EQ(out.find('\\'), std::string::npos);  // not the escape fallback
  }
}
#endif

}  // namespace
