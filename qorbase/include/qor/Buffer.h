#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

namespace qor {

/// A byte buffer that owns its storage: data pointer, length and capacity.
template <typename T>
class Buffer {
    static_assert(sizeof(T) == 1, "Buffer holds bytes");

  public:
    Buffer() = default;
    Buffer(const void* data, std::size_t length) { assign(data, length); }

    /// Replaces the content by a copy of `length` bytes at `data` (nothing when `data` is null).
    void assign(const void* data, std::size_t length) {
        if (data == nullptr || length == 0) {
            bytes_.clear();
            return;
        }
        const auto* first = static_cast<const T*>(data);
        bytes_.assign(first, first + length);
    }
    void append(const void* data, std::size_t length) {
        if (data == nullptr || length == 0) {
            return;
        }
        const auto* first = static_cast<const T*>(data);
        bytes_.insert(bytes_.end(), first, first + length);
    }
    void resize(std::size_t length) { bytes_.resize(length); }
    void clear() { bytes_.clear(); }

    T* data() { return bytes_.data(); }
    const T* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    std::size_t capacity() const { return bytes_.capacity(); }
    bool isEmpty() const { return bytes_.empty(); }

  private:
    std::vector<T> bytes_;
};

}  // namespace qor
