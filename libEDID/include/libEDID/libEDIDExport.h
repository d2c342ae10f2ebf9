#pragma once

// LIBEDID_API marks what the libEDID shared library exports: __declspec(dllexport) while the
// library itself is compiled (LIBEDID_BUILDING), __declspec(dllimport) for its callers on
// Windows, default visibility elsewhere (everything else is built hidden).
#if defined(_WIN32)
#if defined(LIBEDID_BUILDING)
#define LIBEDID_API __declspec(dllexport)
#else
#define LIBEDID_API __declspec(dllimport)
#endif
#else
#define LIBEDID_API __attribute__((visibility("default")))
#endif
