// The settings file t207.dat in memory: its 31 lines read into the form and
// written from it. LoadSettings and SaveSettings (members of TForm1) are the
// only routines that take the text from the disk or put it there.
#pragma once

#include <string>
#include <string_view>

#include "tool/form.h"

/// Applies the text of a settings file to the form, line by line: a line
/// ends at LF, a CR just before the LF (or the end of the text) is dropped,
/// a line missing at the end reads as empty text and lines after the 31st
/// are ignored. The form's other fields are left alone.
void ParseSettings(std::string_view text, TForm1& form);

/// The 31 lines of the settings file for the form's state, each followed by
/// CR LF. Lines 23 to 25 come from the form's model.
std::string RenderSettings(const TForm1& form);
