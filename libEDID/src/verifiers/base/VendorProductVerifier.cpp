#include "verifiers/base/VendorProductVerifier.h"

#include <array>
#include <string>
#include <unordered_map>

#include "qor/DateTime.h"
#include "verifiers/BaseBlockLayout.h"

namespace libEDID {

namespace {

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

}  // namespace

void VendorProductVerifier::verify() {
    verifyProductCode(verifyManufacturer());
    verifySerialNumber();
    verifyDate();
}

qor::String VendorProductVerifier::verifyManufacturer() {
    const EDIDBlock& block = baseBlock();
    const std::array<char, 3> letters =
        manufacturerLetters(block[layout::kManufacturerID], block[layout::kManufacturerID + 1]);
    const qor::String id = qor::String(std::string_view(letters.data(), letters.size()));
    reportValueProperty("ManufacturerNameID", id, "ManufacturerNameID", "ReportedValueQuoted");

    const auto& names = manufacturerNames();
    if (const auto found = names.find(id.str()); found != names.end()) {
        reportValueProperty("MonitorManufacturer", found->second, "MonitorManufacturer");
    }

    for (const char letter : letters) {
        if (!isLetterAtoZ(letter)) {
            logFinding("InvalidASCIICharacter", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                       LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURER_ID,
                       {{"type", "ManfID"}, {"value", qor::String(std::string_view(&letter, 1))}});
        }
    }
    return id;
}

void VendorProductVerifier::verifyProductCode(const qor::String& manufacturerID) {
    const EDIDBlock& block = baseBlock();
    const unsigned code =
        block[layout::kProductCode] | (static_cast<unsigned>(block[layout::kProductCode + 1]) << 8);
    const qor::String text = detail::hexText(code, 4, "h");
    reportValue("ProductCodeID", text);
    // The default product name; a product name descriptor may replace it later in the parse.
    setProductName(manufacturerID + "-" + text);
    notifySysInfoProperty("ProductCodeID", qor::QORValue(text));
}

void VendorProductVerifier::verifySerialNumber() {
    const EDIDBlock& block = baseBlock();
    unsigned serial = 0;
    for (unsigned i = 4; i-- > 0;) {
        serial = (serial << 8) | block[layout::kSerialNumber + i];
    }
    qor::String text = detail::hexText(serial, 8, "h");
    if (serial != 0) {
        setSerialNumber(text);
    } else {
        text += " (unset)";
    }
    reportValue("SerialNumber", text);
}

void VendorProductVerifier::verifyDate() {
    const EDIDBlock& block = baseBlock();
    const unsigned char week = block[layout::kWeek];
    const unsigned char yearByte = block[layout::kYear];

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
        logFinding("InvalidWeekOfManufacture", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                   LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURE_DATE, {{"value", weekNumber}});
    }

    const char* const yearKey = week == kWeekModelYear ? "ModelYear" : "YearOfManufacture";
    const qor::String yearText = detail::unsignedText(kYearBase + yearByte);
    const int currentYear = qor::DateTime::getCurrentDateTime().getYear();
    if (yearByte >= kFirstReportedYearByte &&
        static_cast<int>(kYearBase + yearByte) <= currentYear) {
        notifySysInfoProperty(yearKey, qor::QORValue(yearText));
        // Without a week of manufacture the date is the year alone.
        const bool yearOnly = week == kWeekUnset || week == kWeekModelYear;
        // A sentence of the texts, filled but never logged.
        LibEDIDLog date = info(yearOnly ? "ManufactureYear" : "ManufactureDate");
        if (!yearOnly) {
            date.setVariable("week", weekNumber);
        }
        date.setVariable("year", yearText);
        notifySysInfoProperty("MonitorManufactureDate", qor::QORValue(date.getMesg()));
        reportValue(yearKey, yearText);
    }

    if (yearByte < kMinYearByteFrom14 && layout::isRevision14OrLater(block)) {
        logFinding("InvalidModelYear", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                   LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURE_DATE,
                   {{"yeartype", detail::localized(yearKey)},
                    {"expected", detail::unsignedText(kYearBase + kMinYearByteFrom14)},
                    {"value", yearText}});
    }
}

}  // namespace libEDID
