#pragma once

// qor::perThread<T>(): one object of type T for each thread that asks for it, made by the
// thread's first call and destroyed when the thread ends. For the library's own per-thread
// caches and buffers; not installed with the public headers.
//
// Elsewhere than on Windows the object is a plain `thread_local`, reached through a
// thread-local pointer that needs no guard. On Windows (MinGW) a `thread_local` with a
// destructor is not safe in a DLL: the emulated thread-local storage frees a thread's block
// of such objects before their destructors run on it. There the object lives on the heap
// behind a fiber-local slot (FlsAlloc), whose callback destroys it when the thread ends: the
// system runs fiber-local callbacks before any module's thread-detach code, while the rest of
// the thread's state is whole. When the library is unloaded (FreeLibrary) its slots are freed,
// and with them every thread's object, so that no callback is left pointing into unloaded code
// (PerThread.cpp).
//
// T names the object: each use needs a type of its own (a struct of the caller's file).

#if defined(_WIN32)
#include <memory>
#endif

namespace qor {

namespace detail {

#if defined(_WIN32)

// The start of a thread's object: the function that destroys the whole allocation.
struct PerThreadBox {
    void (*destroy)(PerThreadBox*) noexcept;
};

// A fiber-local slot whose callback destroys the box it holds; throws std::bad_alloc when the
// system has no slot left.
unsigned long newPerThreadSlot();
// The calling thread's box in `slot`, null before the first store.
PerThreadBox* perThreadBox(unsigned long slot) noexcept;
// Stores the calling thread's box; throws std::bad_alloc when it cannot.
void setPerThreadBox(unsigned long slot, PerThreadBox* box);

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
[[gnu::noinline]] T& firstPerThread(unsigned long slot) {
    auto box = std::make_unique<PerThreadObject<T>>();
    setPerThreadBox(slot, box.get());
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
    static const unsigned long slot = detail::newPerThreadSlot();
    if (detail::PerThreadBox* box = detail::perThreadBox(slot)) {
        return static_cast<detail::PerThreadObject<T>*>(box)->object;
    }
    return detail::firstPerThread<T>(slot);
#else
    thread_local T* current = nullptr;
    return current != nullptr ? *current : detail::firstPerThread<T>(current);
#endif
}

}  // namespace qor
