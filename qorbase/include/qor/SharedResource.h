#pragma once

namespace qor {

/// Storage policy of a SharedResource that holds a plain pointer to a heap object and destroys
/// it with delete (through the object's virtual destructor when it has one). The two numeric
/// parameters name the policy variant and carry no behaviour here.
template <typename T, int Variant, int Flags>
struct PointerStorage {
    using Pointer = T*;
    static Pointer nullValue() { return nullptr; }
    static void destroy(Pointer p) { delete p; }
};

/// Root of the resource managers.
class SharedResourceManagerBase {
  public:
    virtual ~SharedResourceManagerBase() = default;
    /// Forgets the resource without destroying it.
    virtual void detach() = 0;

  protected:
    SharedResourceManagerBase() = default;
    SharedResourceManagerBase(const SharedResourceManagerBase&) = delete;
    SharedResourceManagerBase& operator=(const SharedResourceManagerBase&) = delete;
};

/// Base of the managers whose count is changed without locks: a handle and its copies belong
/// to one thread at a time.
class SharedResourceManagerUnlockedBase : public SharedResourceManagerBase {};

/// Owns one resource and counts the handles that share it.
template <typename Storage, int Locking>
class SharedResourceManager : public SharedResourceManagerUnlockedBase {
  public:
    using Pointer = typename Storage::Pointer;

    explicit SharedResourceManager(Pointer resource) : resource_(resource) {}
    ~SharedResourceManager() override {
        if (resource_ != Storage::nullValue()) {
            Storage::destroy(resource_);
        }
        resource_ = Storage::nullValue();
    }
    void detach() override { resource_ = Storage::nullValue(); }

    int count() const { return count_; }
    void addReference() { ++count_; }
    /// Drops one reference; true when it was the last.
    bool dropReference() { return --count_ == 0; }

  private:
    int count_ = 1;
    Pointer resource_;
};

/// A reference-counted handle to a resource. Copies share the resource; the last handle
/// released destroys it, exactly once.
template <typename Storage, int Locking>
class SharedResource {
  public:
    using Pointer = typename Storage::Pointer;
    using Manager = SharedResourceManager<Storage, Locking>;

    SharedResource() = default;
    /// Takes ownership of `resource` (a null resource gives an empty handle). If the manager
    /// cannot be allocated, the resource is destroyed before the exception passes on.
    explicit SharedResource(Pointer resource) : resource_(resource) {
        if (resource == Storage::nullValue()) {
            return;
        }
        try {
            manager_ = new Manager(resource);
        } catch (...) {
            Storage::destroy(resource);
            throw;
        }
    }
    SharedResource(const SharedResource& other)
        : resource_(other.resource_), manager_(other.manager_) {
        if (manager_ != nullptr) {
            manager_->addReference();
        }
    }
    SharedResource(SharedResource&& other) noexcept
        : resource_(other.resource_), manager_(other.manager_) {
        other.resource_ = Storage::nullValue();
        other.manager_ = nullptr;
    }
    SharedResource& operator=(const SharedResource& other) {
        if (this != &other) {
            SharedResource copy(other);
            swap(copy);
        }
        return *this;
    }
    SharedResource& operator=(SharedResource&& other) noexcept {
        if (this != &other) {
            release();
            swap(other);
        }
        return *this;
    }
    ~SharedResource() { release(); }

    /// Gives up this handle's share; the handle becomes empty.
    void release() {
        if (manager_ != nullptr && manager_->dropReference()) {
            delete manager_;
        }
        manager_ = nullptr;
        resource_ = Storage::nullValue();
    }

    Pointer get() const { return resource_; }
    Pointer operator->() const { return resource_; }
    bool isEmpty() const { return manager_ == nullptr; }
    /// Number of handles sharing the resource (0 for an empty handle).
    int useCount() const { return manager_ != nullptr ? manager_->count() : 0; }

  private:
    void swap(SharedResource& other) noexcept {
        Pointer r = resource_;
        resource_ = other.resource_;
        other.resource_ = r;
        Manager* m = manager_;
        manager_ = other.manager_;
        other.manager_ = m;
    }

    Pointer resource_ = Storage::nullValue();
    Manager* manager_ = nullptr;
};

}  // namespace qor
