#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "libEDID/libEDIDExport.h"
#include "qor/String.h"

namespace libEDID {

namespace detail {
class MessageBuilder;
}

/// One diagnostic message: a key naming the kind of finding, its localized text with the
/// placeholders filled so far, a severity level and a category.
///
/// Texts live in the resource database, section "libEDID", under "LocalizedString." + key; a
/// placeholder is a name in braces, filled with setVariable. The placeholders are those of the
/// template loaded by the key (up to kMaxPlaceholders of them); text inserted by setVariable is
/// never searched for placeholders again.
class LIBEDID_API LibEDIDLog {
  public:
    enum LIBEDID_LOG_LEVEL : std::int32_t {
        LIBEDID_LOG_LEVEL_INFO = 0,     ///< report of a decoded value (always category 0)
        LIBEDID_LOG_LEVEL_WARNING = 1,  ///< not accessible, undefined/reserved value, version
        LIBEDID_LOG_LEVEL_ERROR = 2,    ///< the EDID breaks a rule of the E-EDID standard
    };

    enum LIBEDID_LOG_CAT : std::int32_t {
        LIBEDID_LOG_CAT_GENERAL = 0,
        LIBEDID_LOG_CAT_UNUSED = 1,  ///< kept so that the later numbers stay; never emitted
        LIBEDID_LOG_CAT_CHECKSUM = 2,
        LIBEDID_LOG_CAT_VERSION = 3,
        LIBEDID_LOG_CAT_MANUFACTURER_ID = 4,
        LIBEDID_LOG_CAT_STRING_CHARACTERS = 5,
        LIBEDID_LOG_CAT_STD_TIMING = 6,
        LIBEDID_LOG_CAT_HEADER = 7,
        LIBEDID_LOG_CAT_RANGE_LIMITS = 8,
        LIBEDID_LOG_CAT_VALUE_AT_OFFSET = 9,
        LIBEDID_LOG_CAT_VALUE_IN_FIELD = 10,
        LIBEDID_LOG_CAT_SRGB = 11,
        LIBEDID_LOG_CAT_VALUE_UNKNOWN = 12,
        LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_3 = 13,
        LIBEDID_LOG_CAT_MANUFACTURE_DATE = 14,
        LIBEDID_LOG_CAT_EXTENSION_BLOCK = 15,
        LIBEDID_LOG_CAT_DESCRIPTOR_VERSION = 16,
        LIBEDID_LOG_CAT_REQUIRED_DESCRIPTOR_1_4 = 17,
        LIBEDID_LOG_CAT_CTA_EXTENSION = 18,        ///< findings in CTA-861 extension blocks
        LIBEDID_LOG_CAT_DISPLAYID_EXTENSION = 19,  ///< findings in DisplayID extension blocks
        LIBEDID_LOG_CAT_BASE_CONFORMITY = 20,      ///< conformity: rules across base-block sections
        LIBEDID_LOG_CAT_BLOCK_STRUCTURE = 21,      ///< conformity: extension count, tags, block map
    };

    /// Empty key and text; no lookup.
    LibEDIDLog(LIBEDID_LOG_LEVEL level = LIBEDID_LOG_LEVEL_INFO,
               LIBEDID_LOG_CAT category = LIBEDID_LOG_CAT_GENERAL);
    /// Stores the key and looks its text up.
    LibEDIDLog(qor::String key, LIBEDID_LOG_LEVEL level, LIBEDID_LOG_CAT category);

    LibEDIDLog(const LibEDIDLog&) = default;
    /// Takes the other's key and text; the key is moved only when it is held here (most
    /// messages of a parse refer to a lasting key instead).
    LibEDIDLog(LibEDIDLog&& other) noexcept
        : placeholders(std::move(other.placeholders)),
          mesg(std::move(other.mesg)),
          lastingKey(other.lastingKey),
          level(other.level),
          category(other.category),
          bytes(other.bytes) {
        if (!other.key.isEmpty()) {
            key = std::move(other.key);
        }
    }
    LibEDIDLog& operator=(const LibEDIDLog&) = default;
    LibEDIDLog& operator=(LibEDIDLog&&) noexcept = default;
    ~LibEDIDLog() = default;

    /// The bytes of the EDID that a message concerns: an offset from the first byte of the
    /// base block and a length. A length of 0 means that no bytes are known.
    struct ByteSpan {
        std::uint16_t offset = 0;
        std::uint16_t length = 0;
    };

    /// At most this many placeholders of a template are filled; later ones stay as written.
    static constexpr std::size_t kMaxPlaceholders = 16;

    const qor::String& getKey() const { return lastingKey != nullptr ? *lastingKey : key; }
    const qor::String& getMesg() const { return mesg; }
    /// The text after its first ": ", or the whole text when it holds none.
    qor::String getMesgTrimmed() const;
    LIBEDID_LOG_LEVEL getLevel() const { return level; }
    LIBEDID_LOG_CAT getCategory() const { return category; }
    /// The bytes the message concerns: those of the section, descriptor or block whose
    /// verifier logged it (the checksum byte for a checksum error); none for messages about
    /// the EDID as a whole.
    ByteSpan getBytes() const { return bytes; }
    void setBytes(ByteSpan span) { bytes = span; }

    /// Stores the key and loads its text (the previous text stays when the key has none).
    void setKey(const qor::String& newKey);
    void setLevel(LIBEDID_LOG_LEVEL newLevel) { level = newLevel; }
    void setCategory(LIBEDID_LOG_CAT newCategory) { category = newCategory; }
    /// Replaces every "{name}" placeholder of the key's template that is still open by `value`.
    void setVariable(const qor::String& name, const qor::String& value);
    void setVariable(const char* name, const qor::String& value);

    /// The localized text stored for `key`, or an empty text; logs nothing.
    static qor::String getString(const qor::String& key);

  private:
    friend class detail::MessageBuilder;

    /// An open "{name}" of the text: where it starts and its length, braces included.
    struct Placeholder {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    void setMesg();
    void reportMissingText() const;
    void fill(std::string_view name, const qor::String& value);

    // The placeholders still open, in text order (most messages are made with none).
    std::vector<Placeholder> placeholders;
    qor::String mesg;
    qor::String key;
    // The key as the text table keeps it for the whole process, when the message was made
    // from it; `key` is then empty.
    const qor::String* lastingKey = nullptr;
    LIBEDID_LOG_LEVEL level;
    LIBEDID_LOG_CAT category;
    ByteSpan bytes;
};

}  // namespace libEDID
