// Header, vendor and product identification, and structure version of the base block.

#include "BaseBlockVerifierTestSupport.h"
#include "qor/DateTime.h"

namespace verifiertest {
namespace {

TEST(HeaderVerifierTest, WrongHeaderIsStoredWithBothPatterns) {
    Result r(EdidBuilder().set(7, {0x01}));
    EXPECT_EQ(r.faults(), Texts{"InvalidHeader 2 7"});
    const std::string text = r.texts("InvalidHeader").at(0);
    EXPECT_THAT(text, HasSubstr("00 FF FF FF FF FF FF 00"));
    EXPECT_THAT(text, HasSubstr("00 FF FF FF FF FF FF 01"));
    qor::String edid;
    r.parser.getEDIDString(edid, false);
    EXPECT_EQ(edid.str().find(text), std::string::npos);  // stored only
}

TEST(VendorProductVerifierTest, ManufacturerIdLettersAndName) {
    const struct {
        std::uint8_t b08, b09;
        const char *id, *company;  // company "-": not in the table
        std::size_t invalidLetters;
    } cases[] = {
        {0x90, 0xAC, "DEL", "Dell Computer Corp.", 0},  // bit 7 of 08h is not examined
        {0x06, 0x09, "API", "Acer America Corp.", 0},   // letter 2 spans both bytes
        {0x00, 0x00, "@@@", "-", 3},
        {0x04, 0x3B, "AA[", "-", 1},
        {0x7F, 0xFF, "___", "-", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const Result r(EdidBuilder().dummyDescriptor(2).set(0x08, {c.b08, c.b09}));
        expectProperties(r, {{"ManufacturerNameID", c.id}, {"MonitorManufacturer", c.company}});
        EXPECT_EQ(r.faults(), Texts(c.invalidLetters, "InvalidASCIICharacter 2 4"));
        EXPECT_EQ(r.parser.getProductName().str(), c.id + std::string("-A07Bh"));
    }
}

// Bytes 10h-13h: the week (0 unset, FFh model year, 55-254 invalid), the year (byte 11h + 1990,
// notified from 1994 up to the current year; before 2006 an error in EDID 1.4 and later whether
// notified or not), and the version and revision (below 1.3 or version 0 invalid).
TEST(VendorProductVerifierTest, WeekYearAndVersionBoundaries) {
    const int thisYear = qor::DateTime::getCurrentDateTime().getYear();
    const std::string week = "InvalidWeekOfManufacture 2 14", year = "InvalidModelYear 2 14",
                      version = "InvalidVersion 2 3";
    const struct {
        std::uint8_t version, revision, week;
        int year;
        bool shown;
        const char* weekProperty;
        Texts faults;
    } cases[] = {
        {1, 3, 12, 1993, false, "12", {}},        {2, 3, 0, 1994, true, "-", {}},
        {1, 4, 54, thisYear, true, "54", {}},     {1, 4, 55, thisYear + 1, false, "55", {week}},
        {2, 0, 0xFF, 2010, true, "-", {version}}, {1, 4, 254, 2010, true, "254", {week}},
        {1, 4, 12, 2005, true, "12", {year}},     {1, 4, 12, 2006, true, "12", {}},
        {1, 2, 12, 1990, false, "12", {version}}, {2, 4, 12, 1992, false, "12", {year}},
        {0, 4, 12, 2005, true, "12", {version}},  {1, 4, 0xFF, 2005, true, "-", {year}},
    };
    for (const auto& c : cases) {
        const std::string y = std::to_string(c.year);
        const std::string v = std::to_string(c.version) + "." + std::to_string(c.revision);
        SCOPED_TRACE(y + " week " + std::to_string(c.week) + " version " + v);
        const Result r(EdidBuilder()
                           .version(c.version, c.revision)
                           .set(0x10, {c.week, static_cast<std::uint8_t>(c.year - 1990)}));
        const bool unset = c.week == 0, modelYear = c.week == 0xFF;
        const std::string date =
            unset || modelYear ? y : "Week " + std::to_string(c.week) + ", " + y;
        expectProperties(r, {{"WeekOfManufacture", c.weekProperty},
                             {modelYear ? "ModelYear" : "YearOfManufacture", c.shown ? y : "-"},
                             {"MonitorManufactureDate", c.shown ? date : "-"},
                             {"EDIDVersion", v}});
        EXPECT_EQ(r.faults(), c.faults);
    }
}

}  // namespace
}  // namespace verifiertest
