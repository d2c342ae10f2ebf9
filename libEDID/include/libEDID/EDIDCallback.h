#pragma once

#include "libEDID/libEDIDExport.h"
#include "qor/String.h"
#include "qor/Value.h"

namespace libEDID {

/// Observer of the system-information properties that a parse produces. Register one with
/// EDIDParser::registerSysInfoObserver; it is called synchronously, on the parsing thread, once
/// per property.
class LIBEDID_API EDIDCallback {
  public:
    EDIDCallback() = default;
    EDIDCallback(const EDIDCallback&) = default;
    EDIDCallback& operator=(const EDIDCallback&) = default;
    virtual ~EDIDCallback() = default;

    virtual void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) = 0;
};

}  // namespace libEDID
