#pragma once

#include <string>
#include <vector>

#include "Samples.h"
#include "libEDID/EDIDAccessor.h"
#include "libEDID/EDIDAccessorHandle.h"
#include "libEDID/ReadError.h"

namespace edidcheck {

/// One source made ready for the parser, or the reason why it could not be.
struct Source {
    std::string name;                      ///< as given on the command line ("sample:<file>")
    libEDID::EDIDAccessorHandle accessor;  ///< empty when the source could not be read
    std::vector<unsigned char> bytes;      ///< decoded content of a file, stdin or sample
    std::string error;                     ///< one line; empty when the source was read

    bool isRead() const { return error.empty(); }
};

/// The library's localized sentence for a read error; what the tool adds (the system's reason,
/// a hint, a count) follows in parentheses, in place of the sentence's final full stop.
std::string readErrorLine(libEDID::ReadError error, const std::string& addition = {});

/// Turns command-line sources into accessors: a file path, "-" for standard input, or
/// "display:LOCATOR". File content is raw bytes or hex text, told apart by HexText's rules;
/// the decoded bytes go to the parser through a memory accessor (EDIDAccessorBuffer). Content
/// is read into one buffer, kept from source to source.
class SourceReader {
  public:
    /// Raw content beyond base block + 255 extension blocks cannot be reached by the parser.
    static constexpr std::size_t kRawLimit = 256 * 128;
    /// Content is read up to this size and its kind decided on all of it; hex text (or xrandr
    /// output) longer than this is refused.
    static constexpr std::size_t kTextLimit = 1024 * 1024;

    explicit SourceReader(libEDID::EDIDAccessor::EDIDFINDER finder) : finder_(finder) {}

    Source read(const std::string& argument);
    static Source fromSample(const EmbeddedFile& sample);

    /// "display:" followed by the locator names a display.
    static bool isDisplayArgument(const std::string& argument);

  private:
    Source readFile(const std::string& path);
    Source readStandardInput();
    Source readDisplay(const std::string& argument) const;

    libEDID::EDIDAccessor::EDIDFINDER finder_;
    std::string content_;  ///< the content last read
};

}  // namespace edidcheck
