#include "verifiers/base/VendorProductVerifier.h"

#include <array>
#include <string>
#include <unordered_map>

#include "qor/DateTime.h"

namespace libEDID {

namespace {

constexpr unsigned kManufacturerOffset = 0x08;
constexpr unsigned kProductCodeOffset = 0x0A;
constexpr unsigned kSerialNumberOffset = 0x0C;
constexpr unsigned kWeekOffset = 0x10;
constexpr unsigned kYearOffset = 0x11;
constexpr unsigned kVersionOffset = 0x12;
constexpr unsigned kRevisionOffset = 0x13;

constexpr unsigned kYearBase = 1990;
constexpr unsigned char kWeekUnset = 0;
constexpr unsigned char kWeekModelYear = 0xFF;  // the year byte holds a model year
constexpr unsigned kLastValidWeek = 54;
constexpr unsigned kFirstReportedYearByte = 4;  // years before 1994 are not reported
// EDID 1.4 and later require a year of manufacture or model year of 2006 or later.
constexpr unsigned kMinYearByteFrom14 = 0x10;

/// Company names by three-letter manufacturer ID.
const std::unordered_map<std::string, const char*>& manufacturerNames() {
    static const std::unordered_map<std::string, const char*> names{
        {"API", "Acer America Corp."},
        {"CPQ", "COMPAQ Computer Corp."},
        {"DEC", "Digital Equipment Corp."},
        {"DEL", "Dell Computer Corp."},
        {"GWY", "Gateway, Inc."},
        {"ICL", "Fujistu ICL"},
        {"HIT", "Hitachi"},
        {"HWP", "Hewlett Packard"},
        {"IBM", "IBM Corporation"},
        {"MEL", "Mitsubishi"},
        {"NAN", "NANAO"},
        {"NEC", "NEC Technologies, Inc."},
        {"NOK", "Nokia"},
        {"MEI", "Panasonic"},
        {"LGP", "LG-Philips"},
        {"AMT", "Planar Systems, Inc."},
        {"PNR", "Planar Systems, Inc."},
        {"REL", "Relisys"},
        {"SNY", "Sony Corporation"},
        {"SAM", "Samsung"},
        {"SPT", "Sceptre"},
        {"STP", "Sceptre"},
        {"TOS", "Toshiba"},
        {"VSC", "Viewsonic"},
        {"ZCM", "Zenith"},
    };
    return names;
}

/// The three 5-bit letter codes of the manufacturer ID, big-endian across 08h-09h (bit 7 of
/// 08h is reserved). Code 1 is "A", code 26 is "Z".
std::array<char, 3> manufacturerLetters(unsigned char high, unsigned char low) {
    const unsigned id = (static_cast<unsigned>(high) << 8) | low;
    std::array<char, 3> letters{};
    for (unsigned i = 0; i < letters.size(); ++i) {
        const unsigned code = (id >> (10 - 5 * i)) & 0x1Fu;
        letters[i] = static_cast<char>(0x40 + code);
    }
    return letters;
}

bool isLetterAtoZ(char c) {
    return c >= 'A' && c <= 'Z';
}

LibEDIDLog errorRecord(const char* key, LibEDIDLog::LIBEDID_LOG_CAT category) {
    return LibEDIDLog(key, LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR, category);
}

/// A sentence of the resource database, filled but never logged.
LibEDIDLog textRecord(const char* key) {
    return LibEDIDLog(key, LibEDIDLog::LIBEDID_LOG_LEVEL_INFO, LibEDIDLog::LIBEDID_LOG_CAT_GENERAL);
}

}  // namespace

void VendorProductVerifier::verify() {
    verifyProductCode(verifyManufacturer());
    verifySerialNumber();
    verifyDate();
}

qor::String VendorProductVerifier::verifyManufacturer() {
    const EDIDBlock& block = baseBlock();
    const std::array<char, 3> letters =
        manufacturerLetters(block[kManufacturerOffset], block[kManufacturerOffset + 1]);
    const qor::String id = qor::SprintfFormat("%c%c%c", letters[0], letters[1], letters[2]);
    reportValueProperty("ManufacturerNameID", id, "ManufacturerNameID", "ReportedValueQuoted");

    const auto& names = manufacturerNames();
    if (const auto found = names.find(id.str()); found != names.end()) {
        reportValueProperty("MonitorManufacturer", found->second, "MonitorManufacturer");
    }

    for (const char letter : letters) {
        if (!isLetterAtoZ(letter)) {
            LibEDIDLog invalid =
                errorRecord("InvalidASCIICharacter", LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURER_ID);
            invalid.setVariable("type", "ManfID");
            invalid.setVariable("value", qor::SprintfFormat("%c", letter));
            logMesg(invalid);
        }
    }
    return id;
}

void VendorProductVerifier::verifyProductCode(const qor::String& manufacturerID) {
    const EDIDBlock& block = baseBlock();
    const unsigned code =
        block[kProductCodeOffset] | (static_cast<unsigned>(block[kProductCodeOffset + 1]) << 8);
    const qor::String text = qor::SprintfFormat("%04Xh", code);
    reportValue("ProductCodeID", text);
    // The default product name; a product name descriptor may replace it later in the parse.
    setProductName(manufacturerID + "-" + text);
    notifySysInfoProperty("ProductCodeID", qor::QORValue(text));
}

void VendorProductVerifier::verifySerialNumber() {
    const EDIDBlock& block = baseBlock();
    unsigned serial = 0;
    for (unsigned i = 4; i-- > 0;) {
        serial = (serial << 8) | block[kSerialNumberOffset + i];
    }
    qor::String text = qor::SprintfFormat("%08Xh", serial);
    if (serial != 0) {
        setSerialNumber(text);
    } else {
        text += " (unset)";
    }
    reportValue("SerialNumber", text);
}

void VendorProductVerifier::verifyDate() {
    const EDIDBlock& block = baseBlock();
    const unsigned char week = block[kWeekOffset];
    const unsigned char yearByte = block[kYearOffset];

    const qor::String weekNumber = detail::unsignedText(week);
    qor::String weekText = weekNumber;
    if (week == kWeekUnset) {
        weekText += " (unset)";
    } else if (week == kWeekModelYear) {
        weekText += " (model year indicator)";
    } else {
        notifySysInfoProperty("WeekOfManufacture", qor::QORValue(weekText));
    }
    reportValue("WeekOfManufacture", weekText);
    if (week > kLastValidWeek && week != kWeekModelYear) {
        LibEDIDLog invalid =
            errorRecord("InvalidWeekOfManufacture", LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURE_DATE);
        invalid.setVariable("value", weekNumber);
        logMesg(invalid);
    }

    const char* const yearKey = week == kWeekModelYear ? "ModelYear" : "YearOfManufacture";
    const qor::String yearText = detail::unsignedText(kYearBase + yearByte);
    const int currentYear = qor::DateTime::getCurrentDateTime().getYear();
    if (yearByte >= kFirstReportedYearByte &&
        static_cast<int>(kYearBase + yearByte) <= currentYear) {
        notifySysInfoProperty(yearKey, qor::QORValue(yearText));
        // Without a week of manufacture the date is the year alone.
        const bool yearOnly = week == kWeekUnset || week == kWeekModelYear;
        LibEDIDLog date = textRecord(yearOnly ? "ManufactureYear" : "ManufactureDate");
        if (!yearOnly) {
            date.setVariable("week", weekNumber);
        }
        date.setVariable("year", yearText);
        notifySysInfoProperty("MonitorManufactureDate", qor::QORValue(date.getMesg()));
        reportValue(yearKey, yearText);
    }

    if (yearByte < kMinYearByteFrom14 && block[kVersionOffset] >= 1 &&
        block[kRevisionOffset] >= 4) {
        LibEDIDLog invalid =
            errorRecord("InvalidModelYear", LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURE_DATE);
        invalid.setVariable("yeartype", detail::localized(yearKey));
        invalid.setVariable("expected", detail::unsignedText(kYearBase + kMinYearByteFrom14));
        invalid.setVariable("value", yearText);
        logMesg(invalid);
    }
}

}  // namespace libEDID
