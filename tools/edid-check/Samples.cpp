#include "Samples.h"

// Defined in the source that the build generates from samples/*.bin (cmake/EmbedBinary.cmake).
extern const edidcheck::EmbeddedFile kSampleEdids[];
extern const std::size_t kSampleEdidsCount;

namespace edidcheck {

std::span<const EmbeddedFile> sampleEdids() {
    return {kSampleEdids, kSampleEdidsCount};
}

}  // namespace edidcheck
