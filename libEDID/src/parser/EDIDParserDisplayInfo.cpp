#include <vector>

#include "libEDID/EDIDParser.h"
#include "model/DisplayInfoBuilder.h"

namespace libEDID {

DisplayInfo EDIDParser::getDisplayInfo() const {
    if (!edidRead) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(baseBlock.size() * (1 + extensionBlocks.size()));
    bytes.insert(bytes.end(), baseBlock.begin(), baseBlock.end());
    for (const EDIDBlock& block : extensionBlocks) {
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    return model::buildDisplayInfo(bytes);
}

}  // namespace libEDID
