#pragma once

// Everything a caller of libEDID needs: sources, the parser, its messages and observers.
#include "libEDID/CTA861.h"
#include "libEDID/DisplayID.h"
#include "libEDID/EDIDAccessor.h"
#include "libEDID/EDIDAccessorBuffer.h"
#include "libEDID/EDIDAccessorFile.h"
#include "libEDID/EDIDAccessorHandle.h"
#include "libEDID/EDIDCallback.h"
#include "libEDID/EDIDContext.h"
#include "libEDID/EDIDParser.h"
#include "libEDID/LibEDIDLog.h"
#include "libEDID/ReadError.h"
#include "libEDID/SystemDisplays.h"
#include "libEDID/libEDIDExport.h"

namespace libEDID {

/// Does nothing: the library needs no start-up. Kept for callers that call it after loading.
LIBEDID_API void init();

}  // namespace libEDID
