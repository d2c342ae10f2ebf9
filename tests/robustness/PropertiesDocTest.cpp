// docs/properties.md lists every property the library notifies: every test EDID is parsed with
// the extension decoders on, together with crafted EDIDs that reach the descriptors the test
// EDIDs lack, and each name notified must match one row of the doc's table (its name, or its
// name followed by a number when the row has a suffix rule), with the value kind of that row;
// each row must be matched by some name. The failure names every missing and stale row.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "TestData.h"
#include "Timeline.h"
#include "qor/Resource.h"

namespace {

using edidtest::EdidBuilder;

// One row of the doc's table.
struct DocRow {
    std::string name;
    bool suffixed = false;  // a number follows the name
    std::string kind;       // string, bool, array
    bool matched = false;
};

// One name as notified, the first time it was seen.
struct Notified {
    std::string kind;
    std::string example;
    std::string source;
};

std::string kindOf(const qor::QORValue& value) {
    switch (value.getType()) {
        case qor::QORValue::TYPE_BOOL:
            return "bool";
        case qor::QORValue::TYPE_STRING:
            return "string";
        case qor::QORValue::TYPE_STRING_ARRAY:
            return "array";
        default:
            return "number";
    }
}

// Rows look like "| `Name` | suffix rule | kind | example |"; a suffix rule "-" means none.
std::vector<DocRow> readDocRows() {
    std::ifstream in(PROPERTIES_DOC);
    std::vector<DocRow> rows;
    const std::regex row(R"(^\| `([A-Za-z0-9]+)` \| ([^|]*?) \| (string|bool|array) \|.*)");
    std::string line;
    while (std::getline(in, line)) {
        std::smatch match;
        if (std::regex_match(line, match, row)) {
            rows.push_back({match[1], match[2] != "-", match[3]});
        }
    }
    return rows;
}

// The crafted EDIDs: descriptors of every tag with plausible content, so that the properties of
// color points, CVT 3-byte codes, standard timing identifiers, color management data,
// established timings III and range limits with CVT data are notified too.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> craftedEdids() {
    const std::vector<std::pair<std::string, EdidBuilder>> builders = {
        {"color point",
         EdidBuilder().displayDescriptor(
             1, 0xFB, {1, 0x00, 0x50, 0x54, 120, 2, 0x00, 0x50, 0x54, 130, 0, 0, 0})},
        {"CVT 3-byte codes",
         EdidBuilder().displayDescriptor(
             1, 0xF8, {0x03, 0x90, 0x32, 0x2A, 0xB0, 0x70, 0x18, 0, 0, 0, 0, 0, 0})},
        {"standard timing identifiers",
         EdidBuilder().displayDescriptor(1, 0xFA,
                                         {0xD1, 0xC0, 0xA9, 0x40, 1, 1, 1, 1, 1, 1, 1, 1, 0x0A})},
        {"color management data",
         EdidBuilder().displayDescriptor(1, 0xF9, {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})},
        {"established timings III",
         EdidBuilder().displayDescriptor(1, 0xF7,
                                         {10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 0, 0})},
        {"range limits with CVT data",
         EdidBuilder().displayDescriptor(
             1, 0xFD, {40, 10, 90, 30, 17, 0x04, 0x11, 0x44, 0xA0, 0xF8, 0x88, 0x70, 0x3C}, 0x0F)},
        {"range limits with secondary GTF",
         EdidBuilder().displayDescriptor(
             1, 0xFD, {40, 10, 90, 30, 17, 0x02, 0x00, 0x20, 0x40, 0x00, 0x80, 0x20, 0x40})},
        {"data string and serial",
         EdidBuilder().stringDescriptor(1, 0xFE, "TEXT").stringDescriptor(2, 0xFF, "SER123")},
        {"localized string and packet video link extensions", EdidBuilder()
                                                                  .extensionBlock(0x50)
                                                                  .extensionBytes(1, 1, {1, 0})
                                                                  .extensionBlock(0x60)
                                                                  .extensionBytes(2, 1, {1})},
        // A VESA display device data block with one additional primary and an audio delay, and
        // a VESA video timing block with one standard timing.
        {"VESA data blocks inside CTA-861",
         EdidBuilder().extensionBlock(0x02).extensionBytes(
             1, 1, {3,    44,   0,    0xFF, 0x02, 0x94, 0x12, 0x01, 0xA1, 0x2C, 0x80,
                    0x07, 0x38, 0x04, 0x4E, 0x4A, 0x05, 0x1C, 0x1C, 0xA8, 0xE0, 0x04,
                    0x51, 0x3C, 0x75, 0xA0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                    0x88, 0x85, 0xE7, 0x03, 0x01, 0x00, 0x00, 0x01, 0xD1, 0xC0})},
        // A VESA display transfer characteristic data block (tag 5), green, 8 points, and a
        // native video resolution data block (extended tag 8) of VIC 16 and one further byte.
        {"VESA transfer characteristic and native video resolution inside CTA-861",
         EdidBuilder().extensionBlock(0x02).extensionBytes(
             1, 1,
             {3, 16, 0, 0xA7, 0x82, 0x01, 0x02, 0x11, 0x12, 0x21, 0x22, 0xE3, 0x08, 0x10, 0x05})},
        // A DisplayID 1.3 section (payload 63 bytes) with type III short timings, type IV
        // timing codes, range limits, display device data, power sequencing, transfer
        // characteristics and a stereo interface block.
        {"DisplayID timing kinds and device blocks",
         EdidBuilder().extensionBlock(0x70).extensionBytes(
             1, 1,
             {0x13, 63,   3,    0,    0x05, 0,    3,    0x84, 0xEF, 0x3B, 0x06, 0x41, 1,    0x10,
              0x09, 0,    15,   0x8F, 0x3A, 0x00, 0xFF, 0x6F, 0x01, 30,   80,   80,   0,    40,
              60,   30,   0,    0xE0, 0x0C, 0,    13,   0x40, 0x0C, 0x7F, 0x07, 0x37, 0x04, 0x80,
              0xE4, 0x01, 0x0A, 0x0A, 0x07, 0x85, 0x0D, 0,    6,    1,    2,    3,    4,    5,
              6,    0x0E, 0,    2,    0x00, 0x10, 0x10, 0x40, 2,    0,    1})},
    };
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> edids;
    for (const auto& [label, builder] : builders) {
        edids.emplace_back("crafted: " + label, builder.bytes());
    }
    return edids;
}

std::map<std::string, Notified> notifiedNames() {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> edids = craftedEdids();
    for (const edidtest::EdidFile& file : edidtest::edidFiles(edidtest::edidDataDir())) {
        edids.emplace_back(file.name, edidtest::readBytes(file.path));
    }
    std::map<std::string, Notified> names;
    for (const auto& [source, bytes] : edids) {
        edidtest::Parsed parsed(bytes);
        parsed.parser.setDecodeExtensions(true);
        parsed.parse();
        for (const edidtest::Property& property : parsed.observer->properties) {
            const std::string example =
                property.value.getType() == qor::QORValue::TYPE_STRING_ARRAY &&
                        property.value.getArraySize() > 0
                    ? property.value.getArrayItem(0).str()
                    : property.text();
            names.try_emplace(property.name, Notified{kindOf(property.value), example, source});
        }
    }
    return names;
}

// The row a notified name belongs to: its exact name without a suffix rule, or the longest
// name that it extends by digits with one.
DocRow* rowOf(std::vector<DocRow>& rows, const std::string& name) {
    DocRow* best = nullptr;
    for (DocRow& row : rows) {
        const bool exact = !row.suffixed && name == row.name;
        const bool numbered =
            row.suffixed && name.size() > row.name.size() &&
            name.compare(0, row.name.size(), row.name) == 0 &&
            name.find_first_not_of("0123456789", row.name.size()) == std::string::npos;
        if ((exact || numbered) && (best == nullptr || row.name.size() > best->name.size())) {
            best = &row;
        }
    }
    return best;
}

TEST(PropertiesDocTest, EveryNotifiedPropertyHasItsRowAndEveryRowIsNotified) {
    qor::QORLocale::setGlobalLocale(qor::QORLocale("en"));
    std::vector<DocRow> rows = readDocRows();
    ASSERT_GE(rows.size(), 50u) << "no property table in " << PROPERTIES_DOC;
    std::ostringstream missing;
    std::ostringstream wrongKind;
    for (const auto& [name, notified] : notifiedNames()) {
        DocRow* row = rowOf(rows, name);
        if (row == nullptr) {
            missing << "\n  " << name << " (" << notified.kind << ", e.g. \"" << notified.example
                    << "\", from " << notified.source << ")";
            continue;
        }
        row->matched = true;
        if (row->kind != notified.kind) {
            wrongKind << "\n  " << name << ": the doc says " << row->kind << ", notified as "
                      << notified.kind << " (from " << notified.source << ")";
        }
    }
    std::ostringstream stale;
    for (const DocRow& row : rows) {
        if (!row.matched) {
            stale << "\n  " << row.name << (row.suffixed ? " (with a number)" : "");
        }
    }
    EXPECT_EQ(missing.str(), "")
        << "notified but not in docs/properties.md (add a row each; a name that carries a block, "
           "slot or descriptor number gets the row of its name without the number):"
        << missing.str();
    EXPECT_EQ(stale.str(), "")
        << "rows of docs/properties.md that no parse of the test EDIDs notifies (remove them, or "
           "fix the name or its suffix rule):"
        << stale.str();
    EXPECT_EQ(wrongKind.str(), "")
        << "value kinds that differ from docs/properties.md:" << wrongKind.str();
}

}  // namespace
