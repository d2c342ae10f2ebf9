// Established, standard and detailed timings of the base block, and the real EDIDs of the
// corpus.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "BaseBlockVerifierTestSupport.h"

namespace baseblocktest {
namespace {

/// Expects the list report `key` (stored and appended) with its array property after it, or
/// neither when `modes` is empty.
void expectModeList(const Result& r, const char* key, const std::vector<std::string>& modes) {
    std::string lines, joined;
    for (const auto& m : modes) {
        lines += " " + m + eol();
        joined += (joined.empty() ? "" : ", ") + m;
    }
    const std::string text = filled(key, {{"timings", lines}});
    EXPECT_EQ(r.texts(key), modes.empty() ? std::vector<std::string>{} : std::vector{text});
    EXPECT_EQ(r.property(key), modes.empty() ? "-" : joined);
    if (!modes.empty()) {
        EXPECT_NE(r.edidString().find(text + eol()), std::string::npos);
        EXPECT_EQ(r.type(key), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.messagesBefore(key), r.indexOf(text) + 1);
    }
}

TEST(EstTimingsOneTwoVerifierTest, ModesOfTheSetBits) {
    const std::vector<std::string> all{
        "800 x 600 @ 60Hz",     "800 x 600 @ 56Hz",  "640 x 480 @ 75Hz",  "640 x 480 @ 72Hz",
        "640 x 480 @ 67Hz",     "640 x 480 @ 60Hz",  "720 x 400 @ 88Hz",  "720 x 400 @ 70Hz",
        "1280 x 1024 @ 75Hz",   "1024 x 768 @ 75Hz", "1024 x 768 @ 70Hz", "1024 x 768 @ 60Hz",
        "1024 x 768 @ 87Hz(I)", "832 x 624 @ 75Hz",  "800 x 600 @ 75Hz",  "800 x 600 @ 72Hz",
        "1152 x 870 @ 75Hz"};
    const struct {
        std::uint8_t b23, b24, b25;
        std::vector<std::string> modes;
    } cases[] = {
        {0x00, 0x00, 0x00, {}},
        {0x00, 0x00, 0x7F, {}},  // the manufacturer's own timings are not decoded
        {0x21, 0x00, 0x00, {"800 x 600 @ 60Hz", "640 x 480 @ 60Hz"}},
        {0x80, 0x01, 0x80, {"720 x 400 @ 70Hz", "1280 x 1024 @ 75Hz", "1152 x 870 @ 75Hz"}},
        {0xFF, 0xFF, 0xFF, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.modes.size());
        expectModeList(Result(EdidBuilder().establishedTimings(c.b23, c.b24, c.b25)),
                       "ReportedEstTimings", c.modes);
    }
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
    std::vector<std::string> modes;
    for (unsigned i = 0; i < 8; ++i) {
        builder.standardTiming(i, entries[i].b0, entries[i].b1);
        if (entries[i].mode != nullptr) {
            modes.push_back(entries[i].mode);
        }
    }
    const Result r(builder);
    expectModeList(r, "ReportedStdTimings", modes);
    expectOne(r, "InvalidStdTiming", 2, 6, filled("InvalidStdTiming", {{"offset", "30h"}}));

    expectModeList(Result(EdidBuilder().allStandardTimingsUnused()), "ReportedStdTimings", {});
    EXPECT_EQ(Result(EdidBuilder().standardTiming(0, 0x00, 0x40)).texts("InvalidStdTiming"),
              std::vector{filled("InvalidStdTiming", {{"offset", "26h"}})});
}

TEST(DetailedTimingVerifierTest, ReportTextPropertiesAndOrder) {
    const Result r{EdidBuilder()};  // 148.5 MHz 1920 x 1080, flags 1Eh, 18h bit 1 set
    const std::string sync = label("SyncSignalInformation") + " : " + eol() + "  " +
                             label("SyncType") + " : " + label("DigitalSeparate") + " " + eol() +
                             "  " + label("VerticalSync") + " : " + label("Positive") + " " +
                             eol() + "  " + label("HorizontalSync") + " : " + label("Positive");
    const std::string text = filled(
        "DetailedTiming", {{"value1", "148.5 MHz "},
                           {"value2", "88 "},
                           {"value3", "44 "},
                           {"value4", "280 "},
                           {"value5", "1920 "},
                           {"value6", "521 "},
                           {"value7", "0 "},
                           {"value8", "4 "},
                           {"value9", "5 "},
                           {"value10", "45 "},
                           {"value11", "1080 "},
                           {"value12", "293 "},
                           {"value13", "0 "},
                           {"value14", sync},
                           {"value15", reported("Interlaced", label("No"))},
                           {"value16", reported("StereoViewingSupport", label("NormalDisplay"))}});
    expectOne(r, "DetailedTiming", 0, 0, text);
    EXPECT_NE(r.edidString().find(text + eol()), std::string::npos);

    const std::string preferred = reported("PreferredTimingMode", "1920 x 1080 (60 Hz)");
    EXPECT_EQ(r.indexOf(preferred) + 1, r.indexOf(text));
    EXPECT_EQ(r.messagesBefore("PreferredMode"), r.indexOf(preferred) + 1);
    EXPECT_EQ(r.messagesBefore("StereoViewingSupport0"), r.indexOf(text));
    expectProperties(r, {{"PreferredMode", "1920 x 1080 (60 Hz)"}, {"PixelClock0", "148.5 MHz"}});
    EXPECT_EQ(r.type("PixelClock0"), qor::QORValue::TYPE_STRING);
    EXPECT_EQ(r.type("Interlaced0"), qor::QORValue::TYPE_BOOL);
    std::vector<std::string> names;
    for (const auto& name : r.propertyNames()) {
        if (name == "PreferredMode" || name.ends_with("0")) {
            names.push_back(name);
        }
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{
                  "PixelClock0", "HorizFrontPorch0", "HorizSyncPulse0", "HorizBlanking0",
                  "HorizAddrVideo0", "HorizAddrVideoImgSz0", "HorizBorder0", "VertFrontPorch0",
                  "VertSyncPulse0", "VertBlanking0", "VertAddrVideo0", "VertAddrVideoImgSz0",
                  "PreferredMode", "VertBorder0", "SyncType0", "VerticalSync0", "HorizontalSync0",
                  "Interlaced0", "StereoViewingSupport0"}));
}

TEST(DetailedTimingVerifierTest, PackedNibblesAndTwoBitFields) {
    const EdidBuilder::Descriptor d{0x01, 0x02, 0x34, 0x56, 0x9A, 0x78, 0x9A, 0xBC, 0x11,
                                    0x22, 0x9C, 0xE4, 0x12, 0x34, 0x56, 0x07, 0x09, 0x00};
    expectProperties(Result(EdidBuilder().descriptor(1, d)), {{"PixelClock1", "5.13 MHz"},
                                                              {"HorizAddrVideo1", "2356"},
                                                              {"HorizBlanking1", "2646"},
                                                              {"VertAddrVideo1", "2936"},
                                                              {"VertBlanking1", "3226"},
                                                              {"HorizFrontPorch1", "785"},
                                                              {"HorizSyncPulse1", "546"},
                                                              {"VertFrontPorch1", "25"},
                                                              {"VertSyncPulse1", "12"},
                                                              {"HorizAddrVideoImgSz1", "1298"},
                                                              {"VertAddrVideoImgSz1", "1588"},
                                                              {"HorizBorder1", "7"},
                                                              {"VertBorder1", "9"}});
}

TEST(DetailedTimingVerifierTest, PreferredModeOnlyFromSlotZero) {
    const struct {
        unsigned slot;
        std::uint16_t clock, hActive, hBlank, vActive, vBlank;
        std::uint8_t features;
        std::string mode;  // "-": none
    } cases[] = {
        {0, 14850, 1920, 280, 1080, 45, 0x0A, "1920 x 1080 (60 Hz)"},
        {0, 14835, 1920, 280, 1080, 45, 0x0A, "1920 x 1080 (59 Hz)"},  // truncated
        {0, 1, 0, 0, 0, 0, 0x02, "0 x 0"},  // an empty frame gives no refresh rate
        {0, 14850, 1920, 280, 1080, 45, 0x08, "-"},
        {2, 10800, 1280, 408, 1024, 42, 0x0A, "1920 x 1080 (60 Hz)"},  // still slot 0's
    };
    for (const auto& c : cases) {
        EdidBuilder builder;
        builder.features(c.features)
            .detailedTiming(c.slot, c.clock, c.hActive, c.hBlank, c.vActive, c.vBlank);
        const Result r(builder);
        expectProperties(r, {{"PreferredMode", c.mode},
                             {"HorizBlanking" + std::to_string(c.slot), std::to_string(c.hBlank)}});
        EXPECT_EQ(r.hasText(reported("PreferredTimingMode", c.mode)), c.mode != "-");
    }
}

TEST(DetailedTimingVerifierTest, SyncInterlaceAndStereoFlags) {
    const char* const names[] = {"SyncType3",       "VerticalSync3", "HorizontalSync3",
                                 "WithSerrations3", "SyncOn3",       "Interlaced3"};
    const struct {
        std::uint8_t flags;
        const char* values[6];  // label keys, or "-", "true", "false" as they are
    } cases[] = {
        {0x1E, {"DigitalSeparate", "Positive", "Positive", "-", "-", "false"}},
        {0x18, {"DigitalSeparate", "Negative", "Negative", "-", "-", "false"}},
        {0x16, {"DigitalComposite", "-", "Positive", "true", "-", "false"}},
        {0x10, {"DigitalComposite", "-", "Negative", "false", "-", "false"}},
        {0x00, {"AnalogComposite", "-", "-", "false", "GreenSignalOnly", "false"}},
        {0x8E, {"BipolarAnalogComposite", "-", "-", "true", "AllThreeSignals", "true"}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, std::string>> expected;
        for (unsigned i = 0; i < 6; ++i) {
            const std::string v = c.values[i];
            expected.emplace_back(names[i], v == "-" || v == "true" || v == "false" ? v : "#" + v);
        }
        expectProperties(
            Result(EdidBuilder().detailedTiming(3, 10800, 1280, 408, 1024, 42, c.flags)), expected);
    }
    const struct {
        std::uint8_t flags;
        const char* stereo;
    } stereo[] = {{0x01, "NormalDisplay"}, {0x20, "FieldSeqStereoRight"},
                  {0x21, "2WayIntRight"},  {0x40, "FieldSeqStereoLeft"},
                  {0x41, "2WayIntLeft"},   {0x60, "4wayInt"},
                  {0x61, "SideBySideInt"}};
    for (const auto& c : stereo) {
        const Result r(EdidBuilder().detailedTiming(3, 10800, 1280, 408, 1024, 42, c.flags));
        EXPECT_EQ(r.property("StereoViewingSupport3"), label(c.stereo));
        EXPECT_TRUE(r.texts("DetailedTiming")
                        .back()
                        .ends_with(reported("StereoViewingSupport", label(c.stereo))));
    }
    // The analog sync text, line by line.
    const Result analog(EdidBuilder().detailedTiming(3, 10800, 1280, 408, 1024, 42, 0x0E));
    const std::string sync = label("SyncType") + " : " + label("BipolarAnalogComposite") + " " +
                             eol() + "  " + label("WithSerrations") + " : " + label("Yes") + " " +
                             eol() + "  " + label("SyncOn") + " : " + label("AllThreeSignals");
    EXPECT_NE(analog.texts("DetailedTiming").back().find(sync), std::string::npos);
}

TEST(DetailedTimingVerifierTest, ZeroPixelClockInSlotZero) {
    const Result r(EdidBuilder().detailedTiming(0, 0, 1920, 280, 1080, 45));
    expectOne(r, "InvalidDetailedTiming", 2, 0, label("InvalidDetailedTiming"));
    EXPECT_TRUE(r.messages("DetailedTiming").empty());
    expectProperties(r, {{"PixelClock0", "-"}, {"PreferredMode", "-"}});
}

TEST(BaseBlockCorpusTest, EveryEdidParsesWithFilledMessages) {
    unsigned count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EDID_CORPUS_DIR)) {
        if (entry.path().extension() != ".bin") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        edidtest::Parsed p(std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}});
        ASSERT_TRUE(p.parse());
        for (const auto& m : p.parser.getMessages()) {
            EXPECT_EQ(m.getMesg().str().find('{'), std::string::npos) << m.getMesg().str();
        }
        ++count;
    }
    EXPECT_GT(count, 0u);
}

}  // namespace
}  // namespace baseblocktest
