#include "HexText.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace edidcheck {

namespace {

// Every EDID starts with this fixed pattern (base block bytes 00h-07h).
constexpr std::array<unsigned char, 8> kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0x00};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isSeparator(char c) {
    return isSpace(c) || c == ',';
}

bool isTextByte(unsigned char c) {
    return (c >= 0x20 && c < 0x7F) || isSpace(static_cast<char>(c));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool allHexDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return hexValue(c) >= 0; });
}

bool hasHexPrefix(std::string_view token) {
    return token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
}

std::string_view trimmed(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string_view(&*first, static_cast<std::size_t>(last - first))
                        : std::string_view();
}

std::size_t indentOf(std::string_view line) {
    return static_cast<std::size_t>(std::find_if_not(line.begin(), line.end(), isSpace) -
                                    line.begin());
}

// Walks a text token by token, keeping track of line and column for error messages.
class TokenScanner {
  public:
    explicit TokenScanner(std::string_view text, std::size_t firstLine = 1)
        : text_(text), line_(firstLine) {}

    /// The next token, or an empty view at the end.
    std::string_view next() {
        while (pos_ < text_.size() && isSeparator(text_[pos_])) {
            advance();
        }
        tokenLine_ = line_;
        tokenColumn_ = column_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isSeparator(text_[pos_])) {
            advance();
        }
        return text_.substr(start, pos_ - start);
    }

    std::string where() const {
        return "line " + std::to_string(tokenLine_) + ", column " + std::to_string(tokenColumn_);
    }

  private:
    void advance() {
        if (text_[pos_] == '\n') {
            ++line_;
            column_ = 0;
        }
        ++column_;
        ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_;
    std::size_t column_ = 1;
    std::size_t tokenLine_ = 0;
    std::size_t tokenColumn_ = 1;
};

// A bad token is echoed up to this many characters, then "...".
constexpr std::size_t kEchoedTokenLength = 32;

// `"token" reason`. Built by appending: g++ 12 warns falsely (-Wrestrict) on
// "literal" + std::string temporaries at -O2.
std::string tokenFault(std::string_view token, std::string_view reason) {
    std::string text(1, '"');
    text.append(token.substr(0, kEchoedTokenLength));
    text += token.size() > kEchoedTokenLength ? "...\" " : "\" ";
    text.append(reason);
    return text;
}

// Appends the bytes of one token; the reason why it is not a hex byte sequence otherwise.
std::string appendToken(std::string_view token, std::vector<unsigned char>& out) {
    const bool prefixed = hasHexPrefix(token);
    const std::string_view digits = prefixed ? token.substr(2) : token;
    if (!allHexDigits(digits)) {
        return tokenFault(token, "is not hex");
    }
    if (prefixed && digits.size() == 1) {
        out.push_back(static_cast<unsigned char>(hexValue(digits[0])));
        return {};
    }
    if (digits.size() % 2 != 0) {
        return tokenFault(token, "has an odd number of hex digits");
    }
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        out.push_back(
            static_cast<unsigned char>(hexValue(digits[i]) * 16 + hexValue(digits[i + 1])));
    }
    return {};
}

// Appends the bytes of every token; "<line, column>: <reason>" of the first bad token.
std::string appendTokens(TokenScanner& scanner, std::vector<unsigned char>& out) {
    for (std::string_view token = scanner.next(); !token.empty(); token = scanner.next()) {
        const std::string reason = appendToken(token, out);
        if (!reason.empty()) {
            return scanner.where() + ": " + reason;
        }
    }
    return {};
}

bool startsAsHexText(std::string_view content) {
    TokenScanner scanner(content);
    const std::string_view token = scanner.next();
    return allHexDigits(hasHexPrefix(token) ? token.substr(2) : token);
}

// Calls `visit(line, lineNumber)` for each line until it returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    std::size_t number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!visit(line, number++) || end == std::string_view::npos) {
            return;
        }
        text.remove_prefix(end + 1);
    }
}

bool isXrandrMarker(std::string_view line) {
    return trimmed(line) == "EDID:";
}

}  // namespace

ContentKind classifyContent(std::string_view content) {
    if (content.empty()) {
        return ContentKind::Empty;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    if (content.size() >= kEdidHeader.size() &&
        std::equal(kEdidHeader.begin(), kEdidHeader.end(), bytes)) {
        return ContentKind::Raw;
    }
    if (!std::all_of(bytes, bytes + content.size(), isTextByte)) {
        return ContentKind::Raw;
    }
    bool xrandr = false;
    forEachLine(content, [&xrandr](std::string_view line, std::size_t) {
        xrandr = isXrandrMarker(line);
        return !xrandr;
    });
    if (xrandr) {
        return ContentKind::Xrandr;
    }
    return startsAsHexText(content) ? ContentKind::Hex : ContentKind::NotEdid;
}

DecodedHex decodeHexText(std::string_view text) {
    DecodedHex result;
    TokenScanner scanner(text);
    result.error = appendTokens(scanner, result.bytes);
    if (!result.ok()) {
        result.bytes.clear();
        result.error = "bad hex at " + result.error;
    } else if (result.bytes.empty()) {
        result.error = "bad hex: no hex bytes";
    }
    return result;
}

DecodedHex decodeXrandrText(std::string_view text) {
    DecodedHex result;
    std::size_t markerIndent = 0;
    bool inBlock = false;
    forEachLine(text, [&](std::string_view line, std::size_t number) {
        if (!inBlock) {
            inBlock = isXrandrMarker(line);
            markerIndent = indentOf(line);
            return true;
        }
        const std::string_view content = trimmed(line);
        if (content.empty() || (indentOf(line) <= markerIndent && !allHexDigits(content))) {
            return false;
        }
        TokenScanner scanner(line, number);
        result.error = appendTokens(scanner, result.bytes);
        return result.ok();
    });
    if (!result.ok()) {
        result.bytes.clear();
        result.error = "bad hex in the EDID: block at " + result.error;
    } else if (result.bytes.empty()) {
        result.error = "bad hex: no hex lines follow \"EDID:\"";
    }
    return result;
}

DecodedHex decodeContent(std::string_view content) {
    switch (classifyContent(content)) {
        case ContentKind::Raw: {
            DecodedHex raw;
            raw.bytes.assign(content.begin(), content.end());
            return raw;
        }
        case ContentKind::Hex:
            return decodeHexText(content);
        case ContentKind::Xrandr:
            return decodeXrandrText(content);
        case ContentKind::Empty:
            return {{}, "is empty"};
        case ContentKind::NotEdid:
            break;
    }
    return {{}, "neither raw EDID bytes nor hex text"};
}

}  // namespace edidcheck
