// Reader of the host's interchange file JWC_TEMP.TXT into JwwModel. Lenient:
// unknown records, records with too few fields and bad numbers never fail.
#pragma once

#include <string>
#include <string_view>

#include "interchange/jww_model.h"

/// Reads the file at `path` into the model, one line at a time. Returns false
/// without touching the model when no such file exists; returns false after
/// an input error, keeping the lines already parsed; true otherwise.
[[nodiscard]] bool ReadJwcTemp(JwwModel& m, const std::string& path);

/// Parses one line (without its line break) into the model. Never fails.
void ParseJwcLine(JwwModel& m, std::string_view line);
