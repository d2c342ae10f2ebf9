// Header, vendor and product identification, and structure version of the base block.

#include "BaseBlockVerifierTestSupport.h"
#include "qor/DateTime.h"

namespace baseblocktest {
namespace {

TEST(HeaderVerifierTest, WrongHeaderShowsBothPatternsOnce) {
    EXPECT_TRUE(Result(EdidBuilder()).messages("InvalidHeader").empty());
    const struct {
        std::initializer_list<std::uint8_t> header;
        std::string found;
    } cases[] = {
        {{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, "00 FF FF FF FF FF FF 01"},
        {{0, 0, 0, 0, 0, 0, 0, 0}, "00 00 00 00 00 00 00 00"},
        {{0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}, "FF 00 FF FF FF FF FF 00"},
    };
    for (const auto& c : cases) {
        const Result r(EdidBuilder().header(c.header));
        const std::string text =
            filled("InvalidHeader", {{"expected", "00 FF FF FF FF FF FF 00"}, {"found", c.found}});
        expectOne(r, "InvalidHeader", 2, 7, text);
        EXPECT_EQ(r.edidString().find(text), std::string::npos);  // stored only
    }
}

TEST(VendorProductVerifierTest, ManufacturerIdNameAndInvalidLetters) {
    const struct {
        std::uint8_t b08, b09;
        std::string id, company, invalid;  // company "-": not in the table
    } cases[] = {
        {0x10, 0xAC, "DEL", "Dell Computer Corp.", ""},
        {0x90, 0xAC, "DEL", "Dell Computer Corp.", ""},  // bit 7 of 08h is not examined
        {0x06, 0x09, "API", "Acer America Corp.", ""},
        {0x05, 0xB4, "AMT", "Planar Systems, Inc.", ""},
        {0x4E, 0x90, "STP", "Sceptre", ""},
        {0x63, 0x3A, "XYZ", "-", ""},
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
        std::vector<std::string> invalid;
        for (const char letter : c.invalid) {
            invalid.push_back(filled("InvalidASCIICharacter",
                                     {{"type", "ManfID"}, {"value", std::string(1, letter)}}));
        }
        EXPECT_EQ(r.texts("InvalidASCIICharacter"), invalid);
        for (const auto& m : r.messages("InvalidASCIICharacter")) {
            EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), 204);
        }
        EXPECT_EQ(r.parser().getProductName().str(), c.id + "-A07Bh");
    }
}

TEST(VendorProductVerifierTest, ProductCodeSerialNumberAndPropertyOrder) {
    const Result r(EdidBuilder().dummyDescriptor(2).productCode(0x000F).serialNumber(0x12345678));
    EXPECT_TRUE(r.hasText(reported("ProductCodeID", "000Fh")));
    EXPECT_TRUE(r.hasText(reported("SerialNumber", "12345678h")));
    EXPECT_EQ(r.parser().getProductName().str(), "DEL-000Fh");
    EXPECT_EQ(r.parser().getSerialNumber().str(), "12345678h");
    expectProperties(r, {{"ProductCodeID", "000Fh"}, {"SerialNumber", "-"}});
    const std::vector<std::string> names = r.propertyNames();
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6),
              (std::vector<std::string>{"ManufacturerNameID", "MonitorManufacturer",
                                        "ProductCodeID", "WeekOfManufacture", "YearOfManufacture",
                                        "MonitorManufactureDate"}));
    // The manufacturer's property follows its report; the week's precedes it.
    EXPECT_EQ(r.messagesBefore("MonitorManufacturer"),
              r.indexOf(reported("MonitorManufacturer", "Dell Computer Corp.")) + 1);
    EXPECT_EQ(r.messagesBefore("WeekOfManufacture"),
              r.indexOf(reported("WeekOfManufacture", "12")));

    const Result unset(EdidBuilder().serialNumber(0));
    EXPECT_TRUE(unset.hasText(reported("SerialNumber", "00000000h (unset)")));
    EXPECT_EQ(unset.parser().getSerialNumber().str(), "");
}

TEST(VendorProductVerifierTest, WeekOfManufactureBoundaries) {
    const struct {
        std::uint8_t week;
        std::string value, property;
        bool invalid;
    } cases[] = {{0, "0 (unset)", "-", false}, {1, "1", "1", false},
                 {54, "54", "54", false},      {55, "55", "55", true},
                 {254, "254", "254", true},    {255, "255 (model year indicator)", "-", false}};
    for (const auto& c : cases) {
        const Result r(EdidBuilder().week(c.week));
        EXPECT_TRUE(r.hasText(reported("WeekOfManufacture", c.value))) << c.value;
        expectProperties(r, {{"WeekOfManufacture", c.property}});
        if (c.invalid) {
            expectOne(r, "InvalidWeekOfManufacture", 2, 14,
                      filled("InvalidWeekOfManufacture", {{"value", c.value}}));
        } else {
            EXPECT_TRUE(r.messages("InvalidWeekOfManufacture").empty()) << c.value;
        }
    }
}

TEST(VendorProductVerifierTest, YearFrom1994UpToTheCurrentYearAndDateProperty) {
    const int thisYear = qor::DateTime::getCurrentDateTime().getYear();
    const struct {
        int year;
        std::uint8_t week;
        const char *yearKey, *dateKey;  // null: not reported
    } cases[] = {
        {1993, 12, nullptr, nullptr},
        {1994, 12, "YearOfManufacture", "ManufactureDate"},
        {thisYear, 12, "YearOfManufacture", "ManufactureDate"},
        {thisYear + 1, 12, nullptr, nullptr},
        {2010, 0xFF, "ModelYear", "ManufactureYear"},
        {2010, 0, "YearOfManufacture", "ManufactureYear"},
    };
    for (const auto& c : cases) {
        const std::string year = std::to_string(c.year);
        SCOPED_TRACE(year);
        const Result r(EdidBuilder().version(1, 3).week(c.week).yearByte(
            static_cast<std::uint8_t>(c.year - 1990)));
        const std::string report = reported(c.yearKey ? c.yearKey : "YearOfManufacture", year);
        if (c.yearKey == nullptr) {
            EXPECT_FALSE(r.hasText(report));
            expectProperties(r, {{"YearOfManufacture", "-"}, {"MonitorManufactureDate", "-"}});
            continue;
        }
        expectProperties(
            r, {{c.yearKey, year},
                {"MonitorManufactureDate", filled(c.dateKey, {{"week", "12"}, {"year", year}})}});
        // Both properties precede the year report.
        EXPECT_EQ(r.messagesBefore("MonitorManufactureDate"), r.indexOf(report));
    }
}

TEST(VendorProductVerifierTest, ModelYearRuleOfRevision4) {
    const struct {
        std::uint8_t version, revision, yearByte, week;
        const char* yearType;  // null: no error
    } cases[] = {
        {1, 4, 0x0F, 12, "YearOfManufacture"},
        {1, 4, 0x10, 12, nullptr},
        {1, 3, 0x00, 12, nullptr},
        {2, 4, 0x02, 12, "YearOfManufacture"},
        {0, 4, 0x0F, 12, nullptr},
        {1, 4, 0x0F, 0xFF, "ModelYear"},
    };
    for (const auto& c : cases) {
        const Result r(
            EdidBuilder().version(c.version, c.revision).yearByte(c.yearByte).week(c.week));
        std::vector<std::string> expected;
        if (c.yearType != nullptr) {
            expected.push_back(
                filled("InvalidModelYear", {{"yeartype", label(c.yearType)},
                                            {"expected", "2006"},
                                            {"value", std::to_string(1990 + c.yearByte)}}));
        }
        EXPECT_EQ(r.texts("InvalidModelYear"), expected);
        for (const auto& m : r.messages("InvalidModelYear")) {
            EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), 214);
        }
    }
}

TEST(VersionVerifierTest, ReportsPropertiesAndVerdict) {
    const struct {
        std::uint8_t version, revision;
        bool invalid;
    } cases[] = {{1, 3, false}, {1, 4, false}, {1, 2, true},
                 {0, 3, true},  {2, 0, true},  {2, 3, false}};
    for (const auto& c : cases) {
        const std::string v = std::to_string(c.version), rev = std::to_string(c.revision);
        SCOPED_TRACE(v + "." + rev);
        const Result r(EdidBuilder().version(c.version, c.revision));
        EXPECT_TRUE(r.hasText(reported("VersionNumber", v)));
        EXPECT_TRUE(r.hasText(reported("RevisionNumber", rev)));
        expectProperties(
            r, {{"VersionNumber", v}, {"RevisionNumber", rev}, {"EDIDVersion", v + "." + rev}});
        if (c.invalid) {
            expectOne(
                r, "InvalidVersion", 2, 3,
                filled("InvalidVersion",
                       {{"minver", "1"}, {"minrev", "3"}, {"version", v}, {"revision", rev}}));
        } else {
            EXPECT_TRUE(r.messages("InvalidVersion").empty());
        }
    }
}

}  // namespace
}  // namespace baseblocktest
