#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "qor/Resource.h"
#include "qor/String.h"

namespace libEDID::detail {

/// Values found by the address of a name of static storage (a literal or a table's) and a
/// small number: open addressing with linear probing in a table kept at most three quarters
/// full. Slots of 16 bytes hold the key and the index of its value, so that the table stays
/// small enough for the first-level cache. Entries stay until clear().
template <typename Value>
class AddressTable {
  public:
    /// The value stored for `address` and `salt`, or null.
    const Value* find(const void* address, std::uint32_t salt = 0) const {
        for (std::size_t at = slotOf(address, salt);; at = (at + 1) & mask_) {
            const Slot& slot = slots_[at];
            if (slot.address == address && slot.salt == salt) {
                return &values_[slot.value];
            }
            if (slot.address == nullptr) {
                return nullptr;
            }
        }
    }
    /// Stores `value` for a key that find() does not know.
    void insert(const void* address, std::uint32_t salt, const Value& value) {
        if (4 * (values_.size() + 1) > 3 * slots_.size()) {
            grow();
        }
        place({address, salt, static_cast<std::uint32_t>(values_.size())});
        values_.push_back(value);
    }
    void clear() {
        slots_.assign(kFirstSize, Slot{});
        values_.clear();
        mask_ = kFirstSize - 1;
        shift_ = kFirstShift;
    }

  private:
    struct Slot {
        const void* address = nullptr;
        std::uint32_t salt = 0;
        std::uint32_t value = 0;  // index into values_
    };
    static constexpr std::size_t kFirstSize = 256;
    static constexpr unsigned kFirstShift = 64 - 8;  // 64 - log2(kFirstSize)

    // Fibonacci hashing: names a few bytes apart land far apart.
    std::size_t slotOf(const void* address, std::uint32_t salt) const {
        const std::uint64_t key = reinterpret_cast<std::uintptr_t>(address) + salt * 0x9E3779B1ULL;
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_);
    }
    void place(const Slot& entry) {
        std::size_t at = slotOf(entry.address, entry.salt);
        while (slots_[at].address != nullptr) {
            at = (at + 1) & mask_;
        }
        slots_[at] = entry;
    }
    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        --shift_;
        for (const Slot& entry : old) {
            if (entry.address != nullptr) {
                place(entry);
            }
        }
    }

    std::vector<Slot> slots_ = std::vector<Slot>(kFirstSize);
    std::vector<Value> values_;
    std::size_t mask_ = kFirstSize - 1;
    unsigned shift_ = kFirstShift;  // 64 - log2(slots_.size())
};

/// Registers the built-in English texts of section "libEDID" with the resource database, once;
/// texts loaded from files before or after keep precedence.
void ensureDefaultTexts();

/// How the texts of `locale` cover the English ones (after the built-in texts are registered).
qor::TextCoverage textCoverage(const qor::QORLocale& locale);

/// The locales that hold texts of section "libEDID", the built-in ones included.
std::vector<qor::String> textLocales();

/// The thread's table of message and label templates ("LocalizedString." + key, section
/// "libEDID") for the global locale. Each thread keeps the table of the current locale and
/// texts; it is fetched again only when the locale or the loaded texts changed, and never while
/// a TextScope of the thread is alive.
const qor::TextTable& currentTexts();

/// Records `key` as a message or label key without a text (see Resource::getMissingKeys).
void noteMissingText(std::string_view key);

/// A template: the entry of a key (null when the key has no text) in its table.
struct Template {
    const qor::TextTable* table = nullptr;
    const qor::TextTable::Entry* entry = nullptr;
};

/// The template of `key` in currentTexts() (the key is recorded as missing when it has none).
/// Only for keys of static storage: a key once found is found again by its address alone.
Template findTemplate(const char* key);

/// The text of `key`, or an empty text when there is none (the key is then recorded as
/// missing).
const qor::String& text(std::string_view key);
/// text() of a key of static storage (a literal or a table's), through findTemplate.
const qor::String& text(const char* key);

/// While alive, the calling thread keeps the texts it has: the references that findTemplate and
/// text hand out stay valid, and one parse reads the texts of one locale throughout.
class TextScope {
  public:
    TextScope();
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;
};

}  // namespace libEDID::detail
