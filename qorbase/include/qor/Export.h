#pragma once

// QOR_API marks the classes and functions of qorbase and qorwin that callers of libEDID may use.
// Both libraries are linked whole into the libEDID shared library, which exports them; code that
// is compiled into that library defines QOR_BUILDING, code that uses it does not. QOR_STATIC
// links a Windows program against the static libraries directly.
#if defined(_WIN32)
#if defined(QOR_STATIC)
#define QOR_API
#elif defined(QOR_BUILDING)
#define QOR_API __declspec(dllexport)
#else
#define QOR_API __declspec(dllimport)
#endif
#else
#define QOR_API __attribute__((visibility("default")))
#endif
