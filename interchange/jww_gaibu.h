// The host interchange unit: the drawing model, the reader and the writer of
// JWC_TEMP.TXT.
#pragma once

#include "interchange/jwc_reader.h"
#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"
