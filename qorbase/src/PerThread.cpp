// The fiber-local slots behind qor::perThread on Windows.
//
// A thread's objects are destroyed by their slots' callback when the thread ends, and at
// process exit for the thread that ends the process; the system runs fiber-local callbacks
// before the DLL_THREAD_DETACH notifications and TLS callbacks of every module (those that free
// the emulated thread-local storage among them).
//
// Unloading: a slot's callback is code of the module that allocated the slot. When this code is
// in a DLL that FreeLibrary unloads, its slots are freed at DLL_PROCESS_DETACH, after every
// other static object of the DLL has been destroyed. Freeing a slot runs the callback, on the
// unloading thread, for every thread that still has an object in it, and clears the slot in all
// threads: a thread that ends later runs no code of the unloaded DLL. The objects of threads
// that are still running are destroyed then, so no thread may be inside a call into the DLL
// while it is unloaded. At process exit the slots are kept: the system has stopped the other
// threads wherever they were, perhaps while changing their objects, and the memory goes with
// the process. In an executable the slots are never freed.

#include "qor/PerThread.h"

#include <windows.h>

#include <mutex>
#include <new>
#include <vector>

// The base address of the module (executable or DLL) that this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace qor::detail {

namespace {

void NTAPI destroyBox(void* data) {
    auto* box = static_cast<PerThreadBox*>(data);
    box->destroy(box);
}

// True while FreeLibrary unloads the DLL holding this code; false in an executable and when the
// process exits (RtlDllShutdownInProgress, exported by ntdll).
bool unloadingLibrary() {
    if (reinterpret_cast<HMODULE>(&__ImageBase) == GetModuleHandleW(nullptr)) {
        return false;
    }
    using ShutdownQuery = BOOLEAN(NTAPI*)();
    const auto shutdownInProgress = reinterpret_cast<ShutdownQuery>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDllShutdownInProgress")));
    return shutdownInProgress != nullptr && !shutdownInProgress();
}

class SlotRegistry {
  public:
    SlotRegistry() = default;
    SlotRegistry(const SlotRegistry&) = delete;
    SlotRegistry& operator=(const SlotRegistry&) = delete;

    ~SlotRegistry() {
        if (unloadingLibrary()) {
            for (const DWORD slot : slots_) {
                FlsFree(slot);
            }
        }
    }

    DWORD add() {
        const DWORD slot = FlsAlloc(&destroyBox);
        if (slot == FLS_OUT_OF_INDEXES) {
            throw std::bad_alloc();
        }
        try {
            const std::lock_guard lock(mutex_);
            slots_.push_back(slot);
        } catch (...) {
            FlsFree(slot);
            throw;
        }
        return slot;
    }

  private:
    std::mutex mutex_;
    std::vector<DWORD> slots_;
};

// Constructed before every other static object of the module, so destroyed after all of them:
// the slots stay valid while their destructors run.
[[gnu::init_priority(101)]] SlotRegistry registry;

}  // namespace

unsigned long newPerThreadSlot() {
    return registry.add();
}

PerThreadBox* perThreadBox(unsigned long slot) noexcept {
    return static_cast<PerThreadBox*>(FlsGetValue(slot));
}

void setPerThreadBox(unsigned long slot, PerThreadBox* box) {
    if (FlsSetValue(slot, box) == FALSE) {
        throw std::bad_alloc();
    }
}

}  // namespace qor::detail
