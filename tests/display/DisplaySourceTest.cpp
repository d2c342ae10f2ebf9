// The display source over a fake DRM class folder: what the platform library lists, how
// EDIDContext::getEDIDAccessor looks displays up and stores their locator, and its log lines;
// the platform-neutral names beside the compatible ones, and why a display gives no EDID.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "TempDir.h"
#include "libEDID/libEDID.h"
#include "qorwin/Displays.h"
#include "qorwin/WindowsDisplays.h"

namespace {

namespace fs = std::filesystem;
using libEDID::EDIDAccessor;
using libEDID::EDIDContext;
using libqorwin::WindowsDisplays;
using Bytes = std::vector<std::uint8_t>;

// The EDID of the fake display with that serial number; display 2 has an extension block.
Bytes edidWithSerial(std::uint32_t serial) {
    edidtest::EdidBuilder builder;
    builder.serialNumber(serial);
    if (serial == 2) {
        builder.extensionBlock(0x02);
    }
    return builder.bytes();
}

Bytes bytesOf(const libEDID::EDIDAccessorHandle& handle, std::size_t length) {
    Bytes bytes(length);
    const auto size = static_cast<unsigned>(length);
    return handle->readStructure(0, bytes.data(), size) ? bytes : Bytes{};
}

// A DRM class folder in a temporary folder, made the platform library's root for each test:
//   card0-HDMI-A-1  128-byte EDID (serial 1)     card0-DP-1     empty edid (disconnected)
//   card0-eDP-1     256-byte EDID (serial 2)     card1-DP-2     no edid file
//   card1-HDMI-A-2  64 bytes, no whole block     card1-DVI-D-1  edid is a FIFO
//   card10-VGA-1    128-byte EDID (serial 4)     card2-VGA-1    128-byte EDID (serial 3)
//   card0, renderD128, version: not connectors
class DisplaySourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        connector("card0-HDMI-A-1", edidWithSerial(1));
        connector("card0-eDP-1", edidWithSerial(2));
        connector("card0-DP-1", {});
        fs::create_directory(root / "card1-DP-2");
        connector("card1-HDMI-A-2", Bytes(64, 0xAB));
        fs::create_directory(root / "card1-DVI-D-1");
        ASSERT_EQ(mkfifo((root / "card1-DVI-D-1" / "edid").c_str(), 0600), 0);
        connector("card2-VGA-1", edidWithSerial(3));
        connector("card10-VGA-1", edidWithSerial(4));
        fs::create_directory(root / "card0");
        fs::create_directory(root / "renderD128");
        dir.write("version", "drm 1.1.0\n");
        WindowsDisplays::setSysfsRoot(root.string());
    }
    void TearDown() override { WindowsDisplays::setSysfsRoot(""); }

    void connector(const std::string& name, const Bytes& edid) {
        fs::create_directory(root / name);
        dir.write(name + "/edid", std::string(edid.begin(), edid.end()));
    }

    edidtest::TempDir dir;
    const fs::path& root = dir.path();
};

TEST_F(DisplaySourceTest, ListsConnectorsWithEdidAndReadsThemAtCallTime) {
    const WindowsDisplays displays;
    std::vector<std::string> listed;
    for (unsigned i = 0; i < displays.size(); ++i) {
        listed.push_back(displays[i].getPortLocator().str());
        EXPECT_EQ(displays[i].getDisplayPath().str(), (root / listed.back()).string());
    }
    EXPECT_THAT(listed, ::testing::ElementsAre("card0-HDMI-A-1", "card0-eDP-1", "card1-HDMI-A-2",
                                               "card2-VGA-1", "card10-VGA-1"));
    EXPECT_EQ(displays[1].getDisplayName().str(), "eDP-1");
    EXPECT_THROW(displays[displays.size()], qor::AssertionFailure);
    // getEDID reads at call time and needs a whole block.
    qor::Buffer<unsigned char> edid;
    ASSERT_TRUE(displays[1].getEDID(edid));
    EXPECT_EQ(Bytes(edid.data(), edid.data() + edid.size()), edidWithSerial(2));
    EXPECT_FALSE(displays[2].getEDID(edid));  // 64 bytes: no base block
    EXPECT_TRUE(edid.isEmpty());
    fs::remove(root / "card0-HDMI-A-1" / "edid");
    EXPECT_FALSE(displays[0].getEDID(edid));
    // An accessor holds what was read when it was made: replacing the monitor changes what a new
    // accessor reads, not an existing one.
    const auto eDP = [] {
        return EDIDContext::getEDIDAccessor("card0-eDP-1", EDIDAccessor::FIND_BY_PORT_LOCATOR);
    };
    const libEDID::EDIDAccessorHandle before = eDP();
    connector("card0-eDP-1", edidWithSerial(5));
    EXPECT_EQ(bytesOf(before, 256), edidWithSerial(2));
    EXPECT_EQ(bytesOf(eDP(), 128), edidWithSerial(5));
    WindowsDisplays::setSysfsRoot((root / "no-such-folder").string());
    EXPECT_EQ(WindowsDisplays().size(), 0u);
}

TEST_F(DisplaySourceTest, RootComesFromApiThenEnvironmentThenDefault) {
    ASSERT_EQ(setenv("QORWIN_DRM_ROOT", "/from/environment", 1), 0);
    EXPECT_EQ(WindowsDisplays::getSysfsRoot().str(), root.string());
    WindowsDisplays::setSysfsRoot("");
    EXPECT_EQ(WindowsDisplays::getSysfsRoot().str(), "/from/environment");
    ASSERT_EQ(setenv("QORWIN_DRM_ROOT", "", 1), 0);
    EXPECT_EQ(WindowsDisplays::getSysfsRoot().str(), "/sys/class/drm");
    unsetenv("QORWIN_DRM_ROOT");
}

// Each lookup: the display found and no log line, or an inaccessible accessor that logs one
// line ("44 " when nothing matches, "40 " with the index when the match has no whole block)
// and on which a parser reports "CannotAccessEDID".
TEST_F(DisplaySourceTest, LookupByEachFinder) {
    struct LookupCase {
        const char* label;
        std::string locator;  // "@" stands for the fake root folder
        int finder;
        std::uint32_t serial;  // of the display found; 0 when none is found
        std::string storedLocator;
        int index;  // of the display without a whole block; -1 when none matches
    };
    const std::string longName(100000, 'A');
    const std::vector<LookupCase> cases = {
        {"port", "card0-HDMI-A-1", 0, 1, "card0-HDMI-A-1", -1},
        {"port, other case", "CARD2-vga-1", 0, 3, "CARD2-vga-1", -1},
        {"port, separators kept for lookup", "\\\\.\\card0-eDP-1", 0, 0, "card0-eDP-1", -1},
        {"port, dots removed", "card10.VGA-1.", 0, 0, "card10VGA-1", -1},
        {"path", "@/card0-eDP-1", 1, 2, "@/card0-eDP-1", -1},
        {"path, lower case", "@/card10-vga-1", 1, 4, "@/card10-vga-1", -1},
        {"name", "edp-1", 2, 2, "edp-1", -1},
        {"name, first of two cards", "VGA-1", 2, 3, "VGA-1", -1},
        {"name, no whole block", "hdmi-a-2", 2, 0, "hdmi-a-2", 2},
        {"name, empty edid", "DP-1", 2, 0, "DP-1", -1},
        {"name, no edid file", "DP-2", 2, 0, "DP-2", -1},
        {"name, edid is a FIFO", "DVI-D-1", 2, 0, "DVI-D-1", -1},
        {"name, card folder itself", "card0", 2, 0, "card0", -1},
        {"port, empty", "", 0, 0, "", -1},
        {"path, over-long", longName, 1, 0, longName, -1},
        {"unknown finder", "card0-HDMI-A-1", 3, 0, "", -1},
        {"negative finder", "HDMI-A-1", -1, 0, "", -1},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.label);
        auto withRoot = [&](std::string text) {
            return text.rfind('@', 0) == 0 ? root.string() + text.substr(1) : text;
        };
        const std::string locator = withRoot(c.locator);
        const edidtest::LogCapture log(3);
        const libEDID::EDIDAccessorHandle handle =
            EDIDContext::getEDIDAccessor(locator, static_cast<EDIDAccessor::EDIDFINDER>(c.finder));
        ASSERT_FALSE(handle.isEmpty());
        EXPECT_EQ(handle->getLocator().str(), withRoot(c.storedLocator));
        EXPECT_EQ(handle->isAccessible(), c.serial != 0);
        if (c.serial != 0) {
            const Bytes expected = edidWithSerial(c.serial);
            EXPECT_EQ(bytesOf(handle, expected.size()), expected);
            EXPECT_TRUE(log.lines().empty());
            continue;
        }
        EXPECT_EQ(log.lines(), std::vector<std::string>{
                                   std::string("libEDID.EDIDAccessorWindows 3 ") +
                                   (c.index < 0 ? "44 Unable to retrieve a display port locator"
                                                : "40 Unable to retrieve EDID information") +
                                   " for Display Device with locator \"" + locator + "\"" +
                                   (c.index < 0 ? "" : " with index " + std::to_string(c.index))});
        libEDID::EDIDParser parser(handle);
        EXPECT_FALSE(parser.parseEDID(false));
        ASSERT_EQ(parser.getMessages().size(), 1u);
        EXPECT_EQ(parser.getMessages()[0].getKey().str(), "CannotAccessEDID");
    }
}

// libEDID::listDisplays and libqorwin::Displays list what the compatible WindowsDisplays lists,
// in the same order; the lookups under both names agree.
TEST_F(DisplaySourceTest, NeutralNamesListAndFindTheSameDisplays) {
    const WindowsDisplays compatible;
    const libqorwin::Displays neutral;
    const std::vector<libEDID::SystemDisplay> listed = libEDID::listDisplays();
    ASSERT_EQ(listed.size(), compatible.size());
    ASSERT_EQ(neutral.size(), compatible.size());
    for (unsigned i = 0; i < compatible.size(); ++i) {
        SCOPED_TRACE(listed[i].portLocator);
        EXPECT_EQ(listed[i].portLocator, compatible[i].getPortLocator().str());
        EXPECT_EQ(listed[i].displayPath, compatible[i].getDisplayPath().str());
        EXPECT_EQ(listed[i].displayName, compatible[i].getDisplayName().str());
        EXPECT_EQ(neutral.findByDisplayPath(compatible[i].getDisplayPath()),
                  compatible.findyByDisplaypath(compatible[i].getDisplayPath()));
        EXPECT_EQ(neutral.findByDisplayName(compatible[i].getDisplayName()),
                  compatible.findyByDisplayName(compatible[i].getDisplayName()));
    }
    EXPECT_EQ(listed[1].portLocator, "card0-eDP-1");
    EXPECT_EQ(listed[1].displayName, "eDP-1");
    EXPECT_EQ(neutral.findByDisplayName("no-such"), libqorwin::Displays::NOT_FOUND);
    // openDisplay is the lookup of getEDIDAccessor, by port locator unless told otherwise.
    EXPECT_EQ(bytesOf(libEDID::openDisplay("card2-VGA-1"), 128), edidWithSerial(3));
    EXPECT_EQ(bytesOf(libEDID::openDisplay("vga-1", EDIDAccessor::FIND_BY_DISPLAY_NAME), 128),
              edidWithSerial(3));
}

// Why a display gives no EDID: the platform library's status, the accessor's reason and the
// parser's read error.
TEST_F(DisplaySourceTest, EachDisplayFailureGivesItsReason) {
    connector("card3-DP-4", Bytes{0x00});
    struct FailureCase {
        std::string locator;
        libEDID::ReadError expected;
    };
    const std::vector<FailureCase> cases = {
        {"card9-VGA-1", libEDID::ReadError::NoDisplay},
        {"card0-DP-1", libEDID::ReadError::NoDisplay},  // empty edid: not listed
        {"card1-HDMI-A-2", libEDID::ReadError::BaseBlockShort},
        {"card3-DP-4", libEDID::ReadError::BaseBlockShort},
        {"card0-HDMI-A-1", libEDID::ReadError::None},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.locator);
        const libEDID::EDIDAccessorHandle handle = libEDID::openDisplay(c.locator);
        EXPECT_EQ(handle->getSourceError(), c.expected);
        libEDID::EDIDParser parser(handle);
        EXPECT_EQ(parser.parseEDID(false), c.expected == libEDID::ReadError::None);
        EXPECT_EQ(parser.getReadError(), c.expected);
    }
    // Listed, then disconnected (edid emptied) or removed before the read.
    const libqorwin::Displays displays;
    const unsigned index = displays.findByPortLocator("card0-HDMI-A-1");
    ASSERT_NE(index, libqorwin::Displays::NOT_FOUND);
    qor::Buffer<unsigned char> edid;
    EXPECT_EQ(displays[index].readEDID(edid), libqorwin::EDIDStatus::OK);
    connector("card0-HDMI-A-1", {});
    EXPECT_EQ(displays[index].readEDID(edid), libqorwin::EDIDStatus::Empty);
    EXPECT_TRUE(edid.isEmpty());
    fs::remove(root / "card0-HDMI-A-1" / "edid");
    EXPECT_EQ(displays[index].readEDID(edid), libqorwin::EDIDStatus::ReadFailed);
}

}  // namespace
