#include "tool/controls.h"

namespace {

const char* const kNames[kControlCount] = {
#define T482_CONTROL(name, ...) #name,
#include "tool/controls.inc"
#undef T482_CONTROL
};

}  // namespace

const char* ControlName(ControlId id) {
  const int i = static_cast<int>(id);
  return i >= 0 && i < kControlCount ? kNames[i] : "?";
}
