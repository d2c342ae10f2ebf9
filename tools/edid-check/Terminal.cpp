#include "Terminal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <streambuf>

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

// The console behind a standard handle, or null for a file, a pipe or no handle.
HANDLE consoleOf(DWORD handleKind) {
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(handleKind);
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode)
               ? handle
               : nullptr;
}

// Length of the complete UTF-8 sequences at the start of `bytes`: a sequence cut at its end
// waits for the rest (a byte that can start no sequence is complete, and shown as U+FFFD).
std::size_t completeLength(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) != 0x80) {
            const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return needed > back ? bytes.size() - back : bytes.size();
        }
    }
    return bytes.size();
}

}  // namespace

// Collects the stream's bytes and hands the console the complete UTF-8 sequences as UTF-16 (the
// tool writes valid UTF-8 only; at most three bytes of a cut sequence wait for the rest).
class Utf8Console::Buffer : public std::streambuf {
  public:
    explicit Buffer(HANDLE console) : console_(console) { setp(bytes_, bytes_ + sizeof bytes_); }

  protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        const std::size_t ready = completeLength(pending);
        bool written = true;
        if (ready > 0) {
            const int size = static_cast<int>(ready);
            std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(
                                  CP_UTF8, 0, pending.data(), size, nullptr, 0)),
                              L'\0');
            MultiByteToWideChar(CP_UTF8, 0, pending.data(), size, wide.data(),
                                static_cast<int>(wide.size()));
            DWORD done = 0;
            written = WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &done,
                                    nullptr) != 0;
        }
        const std::string rest(pending.substr(ready));
        setp(bytes_, bytes_ + sizeof bytes_);
        std::copy(rest.begin(), rest.end(), pbase());
        pbump(static_cast<int>(rest.size()));
        return written ? 0 : -1;
    }

  private:
    HANDLE console_;
    char bytes_[4096];
};

Utf8Console::Utf8Console() {
    const HANDLE out = consoleOf(STD_OUTPUT_HANDLE);
    const HANDLE err = consoleOf(STD_ERROR_HANDLE);
    if (out != nullptr) {
        std::cout.flush();
        outBuffer_ = std::make_unique<Buffer>(out);
        previousOut_ = std::cout.rdbuf(outBuffer_.get());
    }
    if (err != nullptr) {
        errBuffer_ = std::make_unique<Buffer>(err);
        previousErr_ = std::cerr.rdbuf(errBuffer_.get());
    }
    // What the C runtime writes itself (log lines) is read as UTF-8 too.
    if (out != nullptr || err != nullptr) {
        const UINT current = GetConsoleOutputCP();
        if (current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            previousCodePage_ = current;
        }
    }
}

Utf8Console::~Utf8Console() {
    if (outBuffer_) {
        std::cout.flush();
        std::cout.rdbuf(previousOut_);
    }
    if (errBuffer_) {
        std::cerr.flush();
        std::cerr.rdbuf(previousErr_);
    }
    if (previousCodePage_ != 0) {
        std::fflush(stdout);
        std::fflush(stderr);
        SetConsoleOutputCP(previousCodePage_);
    }
}

bool Utf8Console::stdoutIsConsole() {
    return consoleOf(STD_OUTPUT_HANDLE) != nullptr;
}
#else
class Utf8Console::Buffer {};
Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

bool Utf8Console::stdoutIsConsole() {
    return false;
}
#endif

void writeOutput(std::string_view bytes) {
#if defined(_WIN32)
    static const bool console = Utf8Console::stdoutIsConsole();
    if (console) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
#endif
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void useBinaryStdin() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

}  // namespace edidcheck
