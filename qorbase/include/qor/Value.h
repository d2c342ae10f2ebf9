#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

#include "qor/String.h"

namespace qor {

enum class UnitType : int { NONE = 0, FREQUENCY = 1 };

/// Power of ten by which a measurement is shown; AUTO picks the largest unit in which the value,
/// rounded to three decimals, is at least 1 (Hz, kHz, MHz, GHz for frequencies).
enum class UnitMagnitude : int { AUTO = 0, ONE = 1, KILO = 2, MEGA = 3, GIGA = 4 };

/// A whole-numbered quantity with a unit; for frequencies the count is in hertz.
class QOR_API DiscreteMeasurement {
  public:
    DiscreteMeasurement(UnitType type, std::uint64_t count) : type_(type), count_(count) {}

    UnitType getUnitType() const { return type_; }
    std::uint64_t getCount() const { return count_; }

    /// The count scaled to the magnitude, rounded half up to three decimals and written without
    /// trailing zeros, then a blank and the unit: 148500000 Hz gives "148.5 MHz", 60 Hz gives
    /// "60 Hz", 999999999 Hz gives "1 GHz". A unitless count at magnitude ONE has no blank.
    String toString(UnitMagnitude magnitude) const;
    String toString(int magnitude) const { return toString(static_cast<UnitMagnitude>(magnitude)); }

    friend bool operator==(const DiscreteMeasurement&, const DiscreteMeasurement&) = default;

  private:
    UnitType type_;
    std::uint64_t count_;
};

/// A typed value, as carried by a system-information property or a setting.
class QOR_API QORValue {
  public:
    /// Type codes.
    enum Type : int {
        TYPE_BOOL = 0,
        TYPE_UCHAR = 1,
        TYPE_USHORT = 2,
        TYPE_UINT = 3,
        TYPE_STRING = 4,
        TYPE_MEASUREMENT = 5,
        TYPE_STRING_ARRAY = 12,
        TYPE_NIL = 255,
    };

    QORValue() = default;  // nil
    QORValue(bool value) : value_(value) {}
    QORValue(unsigned char value) : value_(value) {}
    QORValue(unsigned short value) : value_(value) {}
    QORValue(unsigned int value) : value_(value) {}
    QORValue(const String& value) : value_(value) {}
    QORValue(String&& value) : value_(std::move(value)) {}
    QORValue(const char* value) : value_(String(value)) {}
    QORValue(const DiscreteMeasurement& value) : value_(value) {}
    /// An empty array whose elements have the given type code; only strings are supported, so
    /// the type code is 12 (TYPE_STRING_ARRAY) or 4 (TYPE_STRING). `reserved` is ignored.
    QORValue(int typeCode, bool isArray, int reserved);

    /// The value that asks `toString` for the default rendering; also the nil value itself.
    static const QORValue& nilValue();

    Type getType() const {
        static constexpr std::array<Type, 8> kTypes{TYPE_NIL,         TYPE_BOOL,        TYPE_UCHAR,
                                                    TYPE_USHORT,      TYPE_UINT,        TYPE_STRING,
                                                    TYPE_MEASUREMENT, TYPE_STRING_ARRAY};
        return kTypes[value_.index()];
    }
    bool isNil() const { return std::holds_alternative<std::monostate>(value_); }
    bool isArray() const { return std::holds_alternative<std::vector<String>>(value_); }

    /// Appends to an array value; ignored on a value that is not an array.
    void append(const String& item);
    void append(String&& item);
    /// Makes room for `count` elements of an array value, so that appending up to them
    /// allocates nothing more for the array; ignored on a value that is not an array.
    void reserve(std::size_t count);
    std::size_t getArraySize() const {
        const auto* items = std::get_if<std::vector<String>>(&value_);
        return items != nullptr ? items->size() : 0;
    }
    /// The array element at `index`, or an empty text when out of range or not an array.
    const String& getArrayItem(std::size_t index) const {
        const auto* items = std::get_if<std::vector<String>>(&value_);
        return (items != nullptr && index < items->size()) ? (*items)[index] : String::EMPTY();
    }

    /// Typed reads: true when the value holds that kind (the unsigned read accepts all three
    /// unsigned widths).
    bool get(bool& out) const {
        if (const auto* v = std::get_if<bool>(&value_)) {
            out = *v;
            return true;
        }
        return false;
    }
    bool get(unsigned int& out) const {
        if (const auto* c = std::get_if<unsigned char>(&value_)) {
            out = *c;
        } else if (const auto* s = std::get_if<unsigned short>(&value_)) {
            out = *s;
        } else if (const auto* i = std::get_if<unsigned int>(&value_)) {
            out = *i;
        } else {
            return false;
        }
        return true;
    }
    bool get(String& out) const;
    bool get(DiscreteMeasurement& out) const;
    /// The text a string value holds, without a copy; null for any other kind.
    const String* getIfString() const { return std::get_if<String>(&value_); }

    /// The value as text. With nilValue() as format: numbers in decimal, booleans "true" or
    /// "false", measurements by their own toString(AUTO), arrays as their elements joined by
    /// ", ", nil as an empty text.
    String toString(const QORValue& format) const;

    /// Converts a setting's text to a value of the given type code. Booleans accept true/false,
    /// 1/0, yes/no and on/off in any case, numbers decimal text; surrounding white space is
    /// ignored. Text that does not convert gives the nil value, or with `useDefault` true the
    /// type's default (false, 0, empty).
    static QORValue getCorrectValue(const String& text, int type, bool useDefault);

    friend bool operator==(const QORValue&, const QORValue&) = default;

  private:
    std::variant<std::monostate, bool, unsigned char, unsigned short, unsigned int, String,
                 DiscreteMeasurement, std::vector<String>>
        value_;
};

}  // namespace qor
