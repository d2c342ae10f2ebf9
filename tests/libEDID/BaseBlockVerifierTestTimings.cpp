// Established, standard and detailed timings of the base block: bit layouts and boundaries.

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

/// Expects the array property `key` to list `modes`, or to be absent when there are none.
void expectModeList(const Result& r, const char* key, const Texts& modes) {
    EXPECT_EQ(r.property(key), modes.empty() ? "-" : join(modes));
}

// 25h bits 6-0 stand for the manufacturer's own timings, which are not decoded. The modes of the
// other bits of 23h-25h and their order are pinned by the goldens: each of those bits is set in
// some of the test EDIDs, in combinations that tell every two of them apart.
TEST(EstTimingsOneTwoVerifierTest, ManufacturerTimingsAreNotDecoded) {
    expectModeList(Result(EdidBuilder().set(0x23, {0x00, 0x00, 0x7F})), "ReportedEstTimings", {});
}

TEST(StdTimingsVerifierTest, DecodedInvalidAndUnusedEntries) {
    const struct {
        std::uint8_t b0, b1;
        const char* mode;  // null: nothing decoded
    } entries[] = {
        {0x81, 0x80, "1280 x 1024 @ 60Hz"},
        {0xD1, 0xC0, "1920 x 1080 @ 60Hz"},
        {0x81, 0x00, "1280 x 800 @ 60Hz"},
        {0x01, 0x41, "256 x 192 @ 61Hz"},
        {0x01, 0x01, nullptr},
        {0x00, 0x00, nullptr},  // at 30h
        {0x01, 0x00, "256 x 160 @ 60Hz"},
        {0xFF, 0x7F, "2288 x 1716 @ 123Hz"},
    };
    EdidBuilder builder;
    Texts modes;
    for (unsigned i = 0; i < 8; ++i) {
        builder.standardTiming(i, entries[i].b0, entries[i].b1);
        if (entries[i].mode != nullptr) {
            modes.push_back(entries[i].mode);
        }
    }
    const Result r(builder);
    expectModeList(r, "ReportedStdTimings", modes);
    EXPECT_EQ(r.faults(), Texts{"InvalidStdTiming 2 6"});
    EXPECT_THAT(r.texts("InvalidStdTiming").at(0), HasSubstr("30h"));

    EXPECT_THAT(Result(EdidBuilder().standardTiming(0, 0x00, 0x40)).texts("InvalidStdTiming"),
                ::testing::ElementsAre(HasSubstr("26h")));
}

// Every packed nibble and two-bit field holds a distinct value, in slot 1.
TEST(DetailedTimingVerifierTest, PackedNibblesAndTwoBitFields) {
    const EdidBuilder::Descriptor d{0x01, 0x02, 0x34, 0x56, 0x9A, 0x78, 0x9A, 0xBC, 0x11,
                                    0x22, 0x9C, 0xE4, 0x12, 0x34, 0x56, 0x07, 0x09, 0x00};
    const Result r(EdidBuilder().descriptor(1, d));
    const Pairs expected{
        {"PixelClock", "5.13 MHz"},    {"HorizAddrVideo", "2356"},      {"HorizBlanking", "2646"},
        {"VertAddrVideo", "2936"},     {"VertBlanking", "3226"},        {"HorizFrontPorch", "785"},
        {"HorizSyncPulse", "546"},     {"VertFrontPorch", "25"},        {"VertSyncPulse", "12"},
        {"HorizBorder", "7"},          {"HorizAddrVideoImgSz", "1298"}, {"VertBorder", "9"},
        {"VertAddrVideoImgSz", "1588"}};
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(r.property(name + "1"), value) << name;
    }
}

// Slot 0 gives the preferred mode unless 18h bit 1 is clear; a zero pixel clock there is an
// error, and the slot holds no timing.
TEST(DetailedTimingVerifierTest, PreferredModeOnlyFromSlotZero) {
    const struct {
        unsigned slot;
        std::uint16_t clock, hActive, hBlank, vActive, vBlank;
        std::uint8_t features;
        std::string mode;  // "-": none
    } cases[] = {
        {0, 14835, 1920, 280, 1080, 45, 0x0A, "1920 x 1080 (59 Hz)"},  // truncated
        {0, 1, 0, 0, 0, 0, 0x02, "0 x 0"},  // an empty frame gives no refresh rate
        {0, 14850, 1920, 280, 1080, 45, 0x08, "-"},
        {2, 10800, 1280, 408, 1024, 42, 0x0A, "1920 x 1080 (60 Hz)"},  // still slot 0's
        {0, 0, 1920, 280, 1080, 45, 0x0A, "-"},
    };
    for (const auto& c : cases) {
        EdidBuilder builder;
        builder.features(c.features)
            .detailedTiming(c.slot, c.clock, c.hActive, c.hBlank, c.vActive, c.vBlank);
        const Result r(builder);
        expectProperties(r, {{"PreferredMode", c.mode},
                             {"HorizBlanking" + std::to_string(c.slot),
                              c.clock == 0 ? "-" : std::to_string(c.hBlank)}});
        EXPECT_EQ(r.faults(), c.clock == 0 ? Texts{"InvalidDetailedTiming 2 0"} : Texts{});
    }
}

// Flags byte: bit 7 interlace, bits 6-5 with bit 0 the stereo mode, bits 4-1 the sync.
TEST(DetailedTimingVerifierTest, SyncInterlaceAndStereoFlags) {
    const char* const names[] = {
        "SyncType3", "VerticalSync3", "HorizontalSync3",      "WithSerrations3",
        "SyncOn3",   "Interlaced3",   "StereoViewingSupport3"};
    const struct {
        std::uint8_t flags;
        const char* values[7];  // label keys, or "-", "true", "false" as they are
    } cases[] = {
        {0x19, {"DigitalSeparate", "Negative", "Negative", "-", "-", "false", "NormalDisplay"}},
        {0x7C, {"DigitalSeparate", "Positive", "Negative", "-", "-", "false", "4wayInt"}},
        {0x7B, {"DigitalSeparate", "Negative", "Positive", "-", "-", "false", "SideBySideInt"}},
        {0x36, {"DigitalComposite", "-", "Positive", "true", "-", "false", "FieldSeqStereoRight"}},
        {0x31, {"DigitalComposite", "-", "Negative", "false", "-", "false", "2WayIntRight"}},
        {0x40,
         {"AnalogComposite", "-", "-", "false", "GreenSignalOnly", "false", "FieldSeqStereoLeft"}},
        {0xCF,
         {"BipolarAnalogComposite", "-", "-", "true", "AllThreeSignals", "true", "2WayIntLeft"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.flags));
        Pairs expected;
        for (unsigned i = 0; i < 7; ++i) {
            const std::string v = c.values[i];
            expected.emplace_back(names[i], v == "-" || v == "true" || v == "false" ? v : "#" + v);
        }
        expectProperties(
            Result(EdidBuilder().detailedTiming(3, 10800, 1280, 408, 1024, 42, c.flags)), expected);
    }
}

}  // namespace
}  // namespace verifiertest
