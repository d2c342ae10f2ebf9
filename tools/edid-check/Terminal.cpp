#include "Terminal.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace edidcheck {

namespace {

bool noColourRequested() {
    const char* value = std::getenv("NO_COLOR");
    return value != nullptr && value[0] != '\0';
}

#if defined(_WIN32)
// Colours are escape sequences; older consoles need them switched on first.
bool enableEscapeSequences() {
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) {
        return false;
    }
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}
#endif

void appendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
    }
}

// Length of the valid UTF-8 sequence that starts `text` (its lead byte is 80h or above), or 0.
std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string visible(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text[0]);
        std::size_t length = 1;
        if (byte < 0x20 || byte == 0x7F) {
            appendEscaped(out, text.substr(0, 1));
        } else if (byte < 0x80) {
            out += text[0];
        } else if ((length = utf8Length(text)) == 0) {
            length = 1;
            appendEscaped(out, text.substr(0, 1));
        } else if (byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
            appendEscaped(out, text.substr(0, length));  // C1 control, U+0080-U+009F
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return out;
}

bool isTerminal(std::FILE* stream) {
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

bool stdoutWantsColour() {
    if (noColourRequested() || !isTerminal(stdout)) {
        return false;
    }
#if defined(_WIN32)
    return enableEscapeSequences();
#else
    return true;
#endif
}

#if defined(_WIN32)
namespace {

bool isConsole(DWORD handleKind) {
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(handleKind);
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

}  // namespace

Utf8Console::Utf8Console() {
    if (isConsole(STD_OUTPUT_HANDLE) || isConsole(STD_ERROR_HANDLE)) {
        const UINT current = GetConsoleOutputCP();
        if (current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            previousCodePage_ = current;
        }
    }
}

Utf8Console::~Utf8Console() {
    if (previousCodePage_ != 0) {
        // What is still buffered goes out in UTF-8 too.
        std::cout.flush();
        std::fflush(stdout);
        std::fflush(stderr);
        SetConsoleOutputCP(previousCodePage_);
    }
}
#else
Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;
#endif

void useBinaryStdin() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

}  // namespace edidcheck
