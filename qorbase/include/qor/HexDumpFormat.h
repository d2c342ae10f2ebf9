#pragma once

#include <cstddef>

#include "qor/String.h"

namespace qor {

/// Renders bytes as a hex dump, 16 bytes a line: the offset as eight hex digits, two blanks,
/// the bytes as upper-case hex pairs separated by blanks (an extra blank after the eighth),
/// two blanks and the bytes as printable ASCII between '|' (others shown as '.'). Lines are
/// separated by System::TEXT_FILE_EOL(); the text starts with a line terminator so that it
/// reads well after a lead-in. An empty range gives an empty text.
class QOR_API HexDumpFormat {
  public:
    /// `baseOffset` is added to the offsets shown; `reserved` is ignored.
    HexDumpFormat(const void* data, std::size_t size, std::size_t baseOffset, int reserved);
    String toString() const;

  private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t baseOffset_;
};

}  // namespace qor
