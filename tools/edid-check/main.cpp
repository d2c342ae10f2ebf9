// edid-check: reads display EDIDs from files, standard input or the system's displays, checks
// and explains them (see docs/edid-check.md).
#include <exception>
#include <iostream>

#include "Options.h"
#include "Run.h"
#include "Terminal.h"

int main(int argc, char** argv) {
    // Texts are UTF-8 ("Prüfsumme"); a Windows console shows them as such while the tool runs.
    const edidcheck::Utf8Console console;
    try {
        edidcheck::Options options;
        if (const auto status = edidcheck::parseOptions(argc, argv, options)) {
            return *status;
        }
        edidcheck::applyLibrarySettings(options);
        return edidcheck::run(options);
    } catch (const std::exception& error) {
        std::cerr << "edid-check: internal error: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "edid-check: internal error\n";
    }
    return edidcheck::EXIT_NOT_READ;
}
