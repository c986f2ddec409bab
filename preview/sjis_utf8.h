// Shift-JIS (code page 932) texts turned into UTF-8 for the picture, and
// UTF-8 made safe inside SVG markup.
#pragma once

#include <string>
#include <string_view>

/// The text in UTF-8. Characters are taken one at a time by the Shift-JIS
/// lead-byte rule; a character the converter refuses (an unassigned code, a
/// lead byte without its partner, a control byte) becomes "?". Never fails.
std::string SjisToUtf8(std::string_view sjis);

/// The text with every byte that is not part of a well-formed UTF-8
/// character (and every control byte but tab) replaced by "?", so that a
/// file name of any bytes can stand in XML.
std::string ValidUtf8(std::string_view text);

/// UTF-8 text with &, <, >, " and ' written as character references.
std::string EscapeXml(std::string_view text);
