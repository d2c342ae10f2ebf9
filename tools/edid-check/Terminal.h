#pragma once

#include <cstdio>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

namespace edidcheck {

/// True when the stream is an interactive terminal.
bool isTerminal(std::FILE* stream);

/// True when coloured text suits stdout: it is a terminal, NO_COLOR is unset or empty, and
/// (on Windows) the console accepts escape sequences.
bool stdoutWantsColour();

/// `text` safe for a terminal: every control character (C0 00h-1Fh, DEL 7Fh, and C1 80h-9Fh,
/// whether as UTF-8 U+0080-U+009F or as a lone byte) and every byte that is not part of valid
/// UTF-8 is written as a visible "\xNN" (ESC gives "\x1b"), so that no EDID string, path or
/// name can move the cursor, set the window title or split a line. Valid UTF-8 text passes.
std::string visible(std::string_view text);

/// While alive, a Windows console that std::cout or std::cerr writes to shows their UTF-8 text
/// as such: the streams hand it to the console as UTF-16, and the console's output code page is
/// UTF-8 for what the C runtime writes itself (both restored afterwards). Files and pipes get
/// the bytes as they are. Does nothing on other systems.
class Utf8Console {
  public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

    /// True when stdout is a Windows console.
    static bool stdoutIsConsole();

  private:
    class Buffer;
    std::unique_ptr<Buffer> outBuffer_;
    std::unique_ptr<Buffer> errBuffer_;
#if defined(_WIN32)
    std::streambuf* previousOut_ = nullptr;
    std::streambuf* previousErr_ = nullptr;
    unsigned previousCodePage_ = 0;  // 0: unchanged
#endif
};

/// Writes bytes to stdout in one call, below std::cout (through std::cout to a Windows
/// console, see Utf8Console).
void writeOutput(std::string_view bytes);

/// Switches stdin to binary mode, so that raw EDID bytes arrive unchanged (Windows only).
void useBinaryStdin();

}  // namespace edidcheck
