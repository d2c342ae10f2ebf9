#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace edidcheck {

/// How the content of a source is written.
enum class ContentKind {
    Raw,     ///< the EDID bytes themselves
    Hex,     ///< hex text: byte values in hex, separated by white space or commas
    Xrandr,  ///< the "EDID:" block of `xrandr --verbose`
    Empty,   ///< nothing at all
    NotEdid  ///< text that is neither of the above
};

/// Tells raw bytes from text: content that starts with the 8-byte EDID header, or that holds a
/// byte other than printable ASCII and white space, is raw; text with a line "EDID:" is the
/// xrandr block; text whose first token is hex digits (with or without "0x") is hex text.
ContentKind classifyContent(std::string_view content);

/// Bytes decoded from text, or the reason why the text is not valid hex.
struct DecodedHex {
    std::vector<unsigned char> bytes;
    std::string error;  ///< empty on success

    bool ok() const { return error.empty(); }
};

/// Decodes hex text. Tokens are separated by white space and commas; a token is an optional
/// "0x"/"0X" prefix and an even number of hex digits, read as consecutive bytes (so both
/// "00 ff" and "00ff" give two bytes); a prefixed token may also hold a single digit ("0x0").
DecodedHex decodeHexText(std::string_view text);

/// Decodes the first "EDID:" block of `xrandr --verbose` output: the lines after the line
/// "EDID:" that are indented deeper than it or hold nothing but hex digits, each read as hex
/// text. The block ends at the first other line; a block without bytes is an error.
DecodedHex decodeXrandrText(std::string_view text);

/// The bytes of a source after classifyContent: raw content as it is, text decoded; an error
/// for empty content and for text that is neither kind of hex.
DecodedHex decodeContent(std::string_view content);

}  // namespace edidcheck
