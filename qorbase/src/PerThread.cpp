// The fiber-local record behind qor::perThread on Windows.
//
// Each thread that made per-thread objects has a record of them in one fiber-local slot of the
// module. The slot's callback destroys them, newest first, when the thread ends (and, for the
// thread that ends the process, at process exit); the slot still holds the record meanwhile,
// so a destructor finds the objects made before its own. For threads started through the
// POSIX thread library the callback runs after that library has freed the thread's emulated
// thread-local storage: the objects must not rely on `thread_local` data.
//
// Unloading: the callback is code of this module. When the module is a DLL that FreeLibrary
// unloads, the slot is freed at DLL_PROCESS_DETACH, after every other static object of the DLL
// has been destroyed. Freeing the slot runs the callback, on the unloading thread, for every
// thread that still has a record, and clears the slot in all threads: a thread that ends later
// runs no code of the unloaded DLL. The objects of threads that are still running are
// destroyed then, so no thread may be inside a call into the DLL while it is unloaded. At
// process exit the slot is kept: the system has stopped the other threads wherever they were,
// perhaps while changing their objects, and the memory goes with the process. In an executable
// the slot is never freed.

#include "qor/PerThread.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// The base address of the module (executable or DLL) that this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace qor::detail {

namespace {

// A thread's objects: by type number, and the type numbers in the order the objects were made.
struct ThreadObjects {
    std::vector<PerThreadBox*> byType;
    std::vector<std::size_t> made;
};

// An object that a destructor makes is destroyed in turn.
void NTAPI destroyThreadObjects(void* data) {
    auto* objects = static_cast<ThreadObjects*>(data);
    while (!objects->made.empty()) {
        const std::size_t type = objects->made.back();
        objects->made.pop_back();
        PerThreadBox* box = std::exchange(objects->byType[type], nullptr);
        box->destroy(box);
    }
    delete objects;
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

class RecordSlot {
  public:
    RecordSlot() : index_(FlsAlloc(&destroyThreadObjects)) {}
    RecordSlot(const RecordSlot&) = delete;
    RecordSlot& operator=(const RecordSlot&) = delete;
    ~RecordSlot() {
        if (index_ != FLS_OUT_OF_INDEXES && unloadingLibrary()) {
            FlsFree(index_);
        }
    }

    ThreadObjects* record() const noexcept {
        return static_cast<ThreadObjects*>(FlsGetValue(index_));
    }

    ThreadObjects& madeRecord() {
        if (ThreadObjects* objects = record()) {
            return *objects;
        }
        auto objects = std::make_unique<ThreadObjects>();
        if (FlsSetValue(index_, objects.get()) == FALSE) {
            throw std::bad_alloc();
        }
        return *objects.release();
    }

  private:
    DWORD index_;
};

// Made before, and so destroyed after, every other static object of the module: the slot stays
// while their destructors run.
[[gnu::init_priority(101)]] RecordSlot slot;

std::atomic<std::size_t> typeCount{0};

}  // namespace

std::size_t newPerThreadType() noexcept {
    return typeCount.fetch_add(1);
}

PerThreadBox* perThreadBox(std::size_t type) noexcept {
    const ThreadObjects* objects = slot.record();
    return objects != nullptr && type < objects->byType.size() ? objects->byType[type] : nullptr;
}

void keepPerThreadBox(std::size_t type, PerThreadBox* box) {
    ThreadObjects& objects = slot.madeRecord();
    if (objects.byType.size() <= type) {
        objects.byType.resize(type + 1, nullptr);
    }
    objects.made.push_back(type);
    objects.byType[type] = box;
}

}  // namespace qor::detail
