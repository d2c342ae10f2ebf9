#include "conformity/Conformity.h"

#include "conformity/BaseBlockConformity.h"
#include "conformity/BlockConformity.h"
#include "conformity/CTAConformity.h"
#include "conformity/ConformityCheck.h"
#include "conformity/DescriptorConformity.h"
#include "conformity/DisplayIDConformity.h"
#include "decode/base/BaseBlockDecoder.h"

namespace libEDID::conformity {

void ConformityCheck::logBlockFinding(const char* key, Level level, Category category,
                                      unsigned block, Variables variables) {
    logMesg(detail::makeMessage(key, level, category, variables,
                                {{"block", detail::unsignedText(block)}}));
}

namespace {

template <typename Check, typename... Inputs>
void run(EDIDParser* parser, const Inputs&... inputs) {
    Check check(parser, inputs...);
    check.verify();
}

/// Decodes the base block once for the checks of the base block and of its descriptors.
class BaseChecks : public ConformityCheck {
  public:
    using ConformityCheck::ConformityCheck;
    void verify() override {
        const decode::BaseBlock base = decode::decodeBaseBlock(baseBlock());
        run<BaseBlockConformity>(getParser(), base);
        run<DescriptorConformity>(getParser(), base);
    }
};

}  // namespace

void checkConformity(EDIDParser* parser, bool extensions) {
    run<BaseChecks>(parser);
    if (!extensions) {
        return;
    }
    run<CTAConformity>(parser);
    run<DisplayIDConformity>(parser);
    run<BlockConformity>(parser);
}

}  // namespace libEDID::conformity
