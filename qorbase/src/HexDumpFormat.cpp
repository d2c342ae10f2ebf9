#include "qor/HexDumpFormat.h"

#include "qor/System.h"

namespace qor {

HexDumpFormat::HexDumpFormat(const void* data, std::size_t size, std::size_t baseOffset,
                             int /*reserved*/)
    : data_(static_cast<const unsigned char*>(data)),
      size_(data != nullptr ? size : 0),
      baseOffset_(baseOffset) {}

String HexDumpFormat::toString() const {
    static constexpr std::size_t kPerLine = 16;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const String& eol = System::TEXT_FILE_EOL();
    std::string text;
    text.reserve((size_ / kPerLine + 1) * (80 + eol.size()));
    for (std::size_t line = 0; line < size_; line += kPerLine) {
        char offset[24];
        std::snprintf(offset, sizeof offset, "%08zX  ", baseOffset_ + line);
        text += eol.str();
        text += offset;
        std::string ascii;
        for (std::size_t i = 0; i < kPerLine; ++i) {
            if (i == 8) {
                text += ' ';
            }
            if (line + i < size_) {
                const unsigned char byte = data_[line + i];
                text += kHex[byte >> 4];
                text += kHex[byte & 0x0F];
                text += ' ';
                ascii += (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : '.';
            } else {
                text += "   ";
            }
        }
        text += " |";
        text += ascii;
        text += '|';
    }
    return String(std::move(text));
}

}  // namespace qor
