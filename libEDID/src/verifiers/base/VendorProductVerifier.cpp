#include "verifiers/base/VendorProductVerifier.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "decode/base/BaseBlockLayout.h"
#include "qor/DateTime.h"

namespace libEDID {

namespace {

constexpr unsigned kYearBase = 1990;
constexpr unsigned char kWeekUnset = 0;
constexpr unsigned char kWeekModelYear = 0xFF;  // the year byte holds a model year
constexpr unsigned kLastValidWeek = 54;
constexpr unsigned kFirstReportedYearByte = 4;  // years before 1994 are not reported
// EDID 1.4 and later require a year of manufacture or model year of 2006 or later.
constexpr unsigned kMinYearByteFrom14 = 0x10;

struct ManufacturerName {
    std::string_view id;
    const char* name;
};

/// Company names by three-letter manufacturer ID, sorted by ID.
constexpr std::array kManufacturerNames{
    ManufacturerName{"AMT", "Planar Systems, Inc."},
    ManufacturerName{"API", "Acer America Corp."},
    ManufacturerName{"CPQ", "COMPAQ Computer Corp."},
    ManufacturerName{"DEC", "Digital Equipment Corp."},
    ManufacturerName{"DEL", "Dell Computer Corp."},
    ManufacturerName{"GWY", "Gateway, Inc."},
    ManufacturerName{"HIT", "Hitachi"},
    ManufacturerName{"HWP", "Hewlett Packard"},
    ManufacturerName{"IBM", "IBM Corporation"},
    ManufacturerName{"ICL", "Fujistu ICL"},
    ManufacturerName{"LGP", "LG-Philips"},
    ManufacturerName{"MEI", "Panasonic"},
    ManufacturerName{"MEL", "Mitsubishi"},
    ManufacturerName{"NAN", "NANAO"},
    ManufacturerName{"NEC", "NEC Technologies, Inc."},
    ManufacturerName{"NOK", "Nokia"},
    ManufacturerName{"PNR", "Planar Systems, Inc."},
    ManufacturerName{"REL", "Relisys"},
    ManufacturerName{"SAM", "Samsung"},
    ManufacturerName{"SNY", "Sony Corporation"},
    ManufacturerName{"SPT", "Sceptre"},
    ManufacturerName{"STP", "Sceptre"},
    ManufacturerName{"TOS", "Toshiba"},
    ManufacturerName{"VSC", "Viewsonic"},
    ManufacturerName{"ZCM", "Zenith"},
};
static_assert(std::is_sorted(kManufacturerNames.begin(), kManufacturerNames.end(),
                             [](const auto& a, const auto& b) { return a.id < b.id; }));

/// The company name of a manufacturer ID, or null.
const char* manufacturerName(std::string_view id) {
    const auto* found = std::lower_bound(
        kManufacturerNames.begin(), kManufacturerNames.end(), id,
        [](const ManufacturerName& entry, std::string_view key) { return entry.id < key; });
    return found != kManufacturerNames.end() && found->id == id ? found->name : nullptr;
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

    if (const char* name = manufacturerName(id.str())) {
        reportValueProperty("MonitorManufacturer", name, "MonitorManufacturer");
    }

    for (const char letter : letters) {
        if (!isLetterAtoZ(letter)) {
            logFinding("InvalidASCIICharacter", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
                       LibEDIDLog::LIBEDID_LOG_CAT_MANUFACTURER_ID,
                       {{"type", detail::localized("ManufacturerIDField")},
                        {"value", qor::String(std::string_view(&letter, 1))}});
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
        text += " (" + detail::localized("Unset") + ")";
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
        weekText += " (" + detail::localized("Unset") + ")";
    } else if (week == kWeekModelYear) {
        weekText += " (" + detail::localized("ModelYearIndicator") + ")";
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
        const LibEDIDLog date =
            yearOnly ? info("ManufactureYear", {{"year", yearText}})
                     : info("ManufactureDate", {{"week", weekNumber}, {"year", yearText}});
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
