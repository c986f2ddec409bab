// The support unit: stateless number, text and geometry routines.
#pragma once

#include "support/extended_precision.h"
#include "support/full_width.h"
#include "support/geometry.h"
#include "support/number_text.h"
#include "support/sjis.h"
#include "support/value_format.h"
