#include "conformity/Conformity.h"

#include "conformity/BlockConformity.h"
#include "conformity/CTAConformity.h"
#include "conformity/ConformityCheck.h"
#include "conformity/DisplayIDConformity.h"

namespace libEDID::conformity {

void ConformityCheck::logBlockFinding(const char* key, Level level, Category category,
                                      unsigned block, Variables variables) {
    logMesg(detail::makeMessage(key, level, category, variables,
                                {{"block", detail::unsignedText(block)}}));
}

namespace {

template <typename Check>
void run(EDIDParser* parser) {
    Check check(parser);
    check.verify();
}

}  // namespace

void checkConformity(EDIDParser* parser, bool extensions) {
    if (!extensions) {
        return;
    }
    run<CTAConformity>(parser);
    run<DisplayIDConformity>(parser);
    run<BlockConformity>(parser);
}

}  // namespace libEDID::conformity
