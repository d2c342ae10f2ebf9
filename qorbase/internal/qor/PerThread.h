#pragma once

// qor::perThread<T>(): one object of type T for each thread that asks for it, made by the
// thread's first call and destroyed when the thread ends, a thread's objects in the reverse
// order of their making (a destructor may use the objects that its thread made before its
// own). For the library's own per-thread caches and buffers; not installed with the public
// headers.
//
// Elsewhere than on Windows the object is a plain `thread_local`, reached through a
// thread-local pointer that needs no guard. On Windows (MinGW) a `thread_local` with a
// destructor is not safe in a DLL: the emulated thread-local storage frees a thread's block
// of such objects before their destructors run on it. There the objects live on the heap,
// listed in a record of the thread held in a fiber-local slot (FlsAlloc) whose callback
// destroys them when the thread ends. When the library is unloaded (FreeLibrary) the slot is
// freed, and with it every thread's objects, so that no callback is left pointing into
// unloaded code (PerThread.cpp).
//
// T names the object: each use needs a type of its own (a struct of the caller's file).

#if defined(_WIN32)
#include <cstddef>
#include <memory>
#endif

namespace qor {

namespace detail {

#if defined(_WIN32)

// The start of a thread's object: the function that destroys the whole allocation.
struct PerThreadBox {
    void (*destroy)(PerThreadBox*) noexcept;
};

// A number for a type of per-thread object: 0, 1, 2, ... in the order of first use.
std::size_t newPerThreadType() noexcept;
// The calling thread's object of the type numbered `type`, null before it made one.
PerThreadBox* perThreadBox(std::size_t type) noexcept;
// Adds the calling thread's new object of type `type` to its record; throws std::bad_alloc
// when it cannot (the object is then not kept).
void keepPerThreadBox(std::size_t type, PerThreadBox* box);

template <class T>
struct PerThreadObject : PerThreadBox {
    PerThreadObject() : PerThreadBox{&destroyObject} {}
    static void destroyObject(PerThreadBox* box) noexcept {
        delete static_cast<PerThreadObject*>(box);
    }
    T object{};
};

// The thread's first call, out of line so that the lookup stays small where it is inlined.
template <class T>
[[gnu::noinline]] T& firstPerThread(std::size_t type) {
    auto box = std::make_unique<PerThreadObject<T>>();
    keepPerThreadBox(type, box.get());
    return box.release()->object;
}

#else

// The thread's first call: makes the object and points `current` at it.
template <class T>
[[gnu::noinline]] T& firstPerThread(T*& current) {
    thread_local T object;
    current = &object;
    return object;
}

#endif

}  // namespace detail

template <class T>
T& perThread() {
#if defined(_WIN32)
    static const std::size_t type = detail::newPerThreadType();
    if (detail::PerThreadBox* box = detail::perThreadBox(type)) {
        return static_cast<detail::PerThreadObject<T>*>(box)->object;
    }
    return detail::firstPerThread<T>(type);
#else
    thread_local T* current = nullptr;
    return current != nullptr ? *current : detail::firstPerThread<T>(current);
#endif
}

}  // namespace qor
