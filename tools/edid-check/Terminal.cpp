#include "Terminal.h"

#include <cstdlib>

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

}  // namespace

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

void useBinaryStdin() {
#if defined(_WIN32)
    _setmode(_fileno(stdin), _O_BINARY);
#endif
}

}  // namespace edidcheck
