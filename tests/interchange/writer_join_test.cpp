// The writer's joining of a text command with its text, against records
// that end in a double quote of their own: a font name ending in a quote,
// a font record cut just after a quote, a text ending in one. Every text
// written must come back as one text record, with the font before it.
#include <gtest/gtest.h>

#include <string>

#include "interchange/jww_gaibu.h"

namespace {

JwwModel ReadBack(const std::string& file) {
  JwwModel back;
  InitJwwModel(back);
  size_t start = 0;
  while (start < file.size()) {
    size_t end = file.find('\n', start);
    if (end == std::string::npos) end = file.size();
    std::string line = file.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ParseJwcLine(back, line);
    start = end + 1;
  }
  return back;
}

struct JoinCase {
  const char* name;
  std::string font;
  std::string text;
  std::string fontRead;  // the host's reading of the font record
};

const JoinCase kJoinCases[] = {
    {"plain font and text", "<a b>", "x y", "<a b>"},
    {"font ending in a quote", "\"", "t", "\""},
    {"font of quotes", "<a\"b\">\"", "t", "<a\"b\">\""},
    {"font cut just after a quote", std::string(250, 'f') + "\"tail", "t",
     std::string(250, 'f') + "\""},
    {"text ending in a quote", "<f>", "say \"", "<f>"},
};

TEST(WriterJoin, RecordsEndingInAQuoteKeepTheirNeighbours) {
  for (const JoinCase& c : kJoinCases) {
    SCOPED_TRACE(c.name);
    JwwModel m;
    InitJwwModel(m);
    ResetCurrentAttributes(m);
    EmitFontName(m, c.font);
    EmitText(m, 0, c.text, 1, 2, 3, 0);
    EmitSegment(m, 0, 0, 5, 5);
    const JwwModel back = ReadBack(RenderJwcTemp(m));
    EXPECT_EQ(back.CurFont, c.fontRead);
    ASSERT_EQ(back.Texts.Count(), 1);
    EXPECT_EQ(back.Texts[0].Text, c.text);
    EXPECT_EQ(back.Texts[0].Font, c.fontRead);
    ASSERT_EQ(back.Lines.Count(), 1);
    EXPECT_EQ(back.Lines[0].X2, 5);
  }
}

}  // namespace
