#pragma once

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include "qor/Export.h"

namespace qor {

/// A broken internal assertion. `logAssert` writes it to the "qor.Assert" logger at priority 5;
/// the containers then throw an AssertionFailure, so that a caller's programming error can never
/// read or write outside their storage.
class QOR_API AssertionFailure : public std::logic_error {
  public:
    using std::logic_error::logic_error;

    static void logAssert(const char* expression, int line, const char* file);
};

/// A growable array with checked element access.
template <typename T>
class Array {
  public:
    Array() = default;

    void reserve(std::size_t count) { items_.reserve(count); }
    void append(const T& value) { items_.push_back(value); }
    void append(T&& value) { items_.push_back(std::move(value)); }

    T& operator[](std::size_t index) {
        check(index);
        return items_[index];
    }
    const T& operator[](std::size_t index) const {
        check(index);
        return items_[index];
    }

    std::size_t size() const { return items_.size(); }
    bool isEmpty() const { return items_.empty(); }
    void clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

  private:
    void check(std::size_t index) const {
        if (index >= items_.size()) {
            AssertionFailure::logAssert("index < size()", __LINE__, __FILE__);
            throw AssertionFailure("qor::Array index out of range");
        }
    }

    std::vector<T> items_;
};

}  // namespace qor
