// Header, vendor and product identification, and structure version of the base block.

#include "BaseBlockVerifierTestSupport.h"
#include "qor/DateTime.h"

namespace verifiertest {
namespace {

TEST(HeaderVerifierTest, WrongHeaderShowsBothPatternsOnce) {
    EXPECT_TRUE(Result(EdidBuilder()).withKey("InvalidHeader").empty());
    const Result r(EdidBuilder().setByte(7, 0x01));
    const std::string text = filled("InvalidHeader", {{"expected", "00 FF FF FF FF FF FF 00"},
                                                      {"found", "00 FF FF FF FF FF FF 01"}});
    expectMessages(r, "InvalidHeader", 2, 7, {text});
    EXPECT_EQ(r.edidString.find(text), std::string::npos);  // stored only
}

TEST(VendorProductVerifierTest, ManufacturerIdNameAndInvalidLetters) {
    const struct {
        std::uint8_t b08, b09;
        std::string id, company, invalid;  // company "-": not in the table
    } cases[] = {
        {0x90, 0xAC, "DEL", "Dell Computer Corp.", ""},  // bit 7 of 08h is not examined
        {0x06, 0x09, "API", "Acer America Corp.", ""},   // letter 2 spans both bytes
        {0x00, 0x00, "@@@", "-", "@@@"},
        {0x04, 0x3B, "AA[", "-", "["},
        {0x7F, 0xFF, "___", "-", "___"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const Result r(EdidBuilder().dummyDescriptor(2).manufacturerBytes(c.b08, c.b09));
        EXPECT_TRUE(r.hasText(filled("ReportedValueQuoted",
                                     {{"type", label("ManufacturerNameID")}, {"value", c.id}})));
        EXPECT_EQ(r.hasText(reported("MonitorManufacturer", c.company)), c.company != "-");
        expectProperties(r, {{"ManufacturerNameID", c.id}, {"MonitorManufacturer", c.company}});
        Texts invalid;
        for (const char letter : c.invalid) {
            invalid.push_back(filled("InvalidASCIICharacter",
                                     {{"type", "ManfID"}, {"value", std::string(1, letter)}}));
        }
        expectMessages(r, "InvalidASCIICharacter", 2, 4, invalid);
        EXPECT_EQ(r.parser.getProductName().str(), c.id + "-A07Bh");
    }
}

TEST(VendorProductVerifierTest, ProductCodeAndSerialNumber) {
    const Result r(EdidBuilder().dummyDescriptor(2).productCode(0x000F).serialNumber(0x12345678));
    EXPECT_TRUE(r.hasText(reported("ProductCodeID", "000Fh")));
    EXPECT_TRUE(r.hasText(reported("SerialNumber", "12345678h")));
    EXPECT_EQ(r.parser.getProductName().str(), "DEL-000Fh");
    EXPECT_EQ(r.parser.getSerialNumber().str(), "12345678h");
    expectProperties(r, {{"ProductCodeID", "000Fh"}, {"SerialNumber", "-"}});

    const Result unset(EdidBuilder().serialNumber(0));
    EXPECT_TRUE(unset.hasText(reported("SerialNumber", "00000000h (unset)")));
    EXPECT_EQ(unset.parser.getSerialNumber().str(), "");
}

// Bytes 10h-13h: the week (0 unset, FFh model year, 55-254 invalid), the year (byte 11h + 1990,
// reported from 1994 up to the current year; before 2006 an error in EDID 1.4 and later whether
// reported or not), and the version and revision (below 1.3 or version 0 invalid).
TEST(VendorProductVerifierTest, WeekYearAndVersionBytes) {
    const int thisYear = qor::DateTime::getCurrentDateTime().getYear();
    const struct {
        std::uint8_t version, revision;
        int year;
        std::uint8_t week;
        bool shown, badModelYear, badVersion;
    } cases[] = {
        {1, 3, 1993, 12, false, false, false},    {2, 3, 1994, 0, true, false, false},
        {1, 4, thisYear, 54, true, false, false}, {1, 4, thisYear + 1, 55, false, false, false},
        {2, 0, 2010, 0xFF, true, false, true},    {1, 4, 2010, 254, true, false, false},
        {1, 4, 2005, 12, true, true, false},      {1, 4, 2006, 12, true, false, false},
        {1, 2, 1990, 12, false, false, true},     {2, 4, 1992, 12, false, true, false},
        {0, 4, 2005, 12, true, false, true},      {1, 4, 2005, 0xFF, true, true, false},
    };
    for (const auto& c : cases) {
        const std::string year = std::to_string(c.year), week = std::to_string(c.week);
        const std::string v = std::to_string(c.version), rev = std::to_string(c.revision);
        SCOPED_TRACE(year + " week " + week + " version " + v + "." + rev);
        const Result r(EdidBuilder()
                           .version(c.version, c.revision)
                           .week(c.week)
                           .yearByte(static_cast<std::uint8_t>(c.year - 1990)));
        const bool unsetWeek = c.week == 0, modelYear = c.week == 0xFF;
        EXPECT_TRUE(
            r.hasText(reported("WeekOfManufacture", week + (unsetWeek   ? " (unset)"
                                                            : modelYear ? " (model year indicator)"
                                                                        : ""))));
        expectProperties(r, {{"WeekOfManufacture", unsetWeek || modelYear ? "-" : week}});
        expectMessages(r, "InvalidWeekOfManufacture", 2, 14,
                       c.week >= 55 && !modelYear
                           ? Texts{filled("InvalidWeekOfManufacture", {{"value", week}})}
                           : Texts{});

        const char* key = modelYear ? "ModelYear" : "YearOfManufacture";
        const std::string report = reported(key, year);
        const std::string date =
            filled(unsetWeek || modelYear ? "ManufactureYear" : "ManufactureDate",
                   {{"week", week}, {"year", year}});
        EXPECT_EQ(r.hasText(report), c.shown);
        expectProperties(
            r, {{key, c.shown ? year : "-"}, {"MonitorManufactureDate", c.shown ? date : "-"}});
        const std::string invalid = filled(
            "InvalidModelYear", {{"yeartype", label(key)}, {"expected", "2006"}, {"value", year}});
        expectMessages(r, "InvalidModelYear", 2, 14, c.badModelYear ? Texts{invalid} : Texts{});

        EXPECT_TRUE(r.hasText(reported("RevisionNumber", rev)));
        expectProperties(
            r, {{"VersionNumber", v}, {"RevisionNumber", rev}, {"EDIDVersion", v + "." + rev}});
        const std::string badVersion =
            filled("InvalidVersion",
                   {{"minver", "1"}, {"minrev", "3"}, {"version", v}, {"revision", rev}});
        expectMessages(r, "InvalidVersion", 2, 3, c.badVersion ? Texts{badVersion} : Texts{});
    }
}

}  // namespace
}  // namespace verifiertest
