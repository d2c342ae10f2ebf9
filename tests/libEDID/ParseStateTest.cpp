// The state a parse leaves in the parser: an observer that assigns the parser during a parse
// ends that parse without a trace, and the decoded extension blocks are always those of the
// blocks last read.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CoreTestSupport.h"

namespace {

using namespace coretest;
using libEDID::EDIDParser;

// A revision 3 CTA-861 block without data blocks or timings.
const Bytes kCTABlock{0x02, 0x03, 0x04, 0x00};
// A DisplayID 1.2 section with an empty payload and its checksum (12h + 03h + EBh = 100h).
const Bytes kDisplayIDBlock{0x70, 0x12, 0x00, 0x03, 0x00, 0xEB};
// A block of a tag that is not decoded (video timing block).
const Bytes kOtherBlock{0x10, 0x01};

// The default test EDID followed by these extension blocks (tag first).
Bytes edidWith(const std::vector<Bytes>& blocks, std::uint32_t serial = 0) {
    EdidBuilder builder;
    builder.serialNumber(serial);
    for (unsigned i = 0; i < blocks.size(); ++i) {
        builder.extensionBlock(blocks[i][0]).extensionBytes(i + 1, 0, blocks[i]);
    }
    return builder.bytes();
}

// Everything a parse leaves for its caller.
struct State {
    Texts messages;
    std::string edidString;
    std::string identifier;
    std::size_t extensionBlocks;
    std::vector<unsigned> ctaBlocks;  // block numbers
    std::vector<unsigned> displayIDBlocks;

    explicit State(EDIDParser& parser)
        : messages(summaries(parser)), extensionBlocks(parser.getExtensionBlocks().size()) {
        qor::String text;
        parser.getEDIDString(text, false);
        edidString = text.str();
        identifier = parser.getProductName().str() + "/" + parser.getSerialNumber().str();
        for (const libEDID::CTABlock& block : parser.getCTABlocks()) {
            ctaBlocks.push_back(block.blockNumber);
        }
        for (const libEDID::DisplayIDSection& section : parser.getDisplayIDBlocks()) {
            displayIDBlocks.push_back(section.blockNumber);
        }
    }
};

void expectSame(const State& found, const State& expected, const std::string& what) {
    EXPECT_EQ(found.messages, expected.messages) << what;
    EXPECT_EQ(found.edidString, expected.edidString) << what;
    EXPECT_EQ(found.identifier, expected.identifier) << what;
    EXPECT_EQ(found.extensionBlocks, expected.extensionBlocks) << what;
    EXPECT_EQ(found.ctaBlocks, expected.ctaBlocks) << what;
    EXPECT_EQ(found.displayIDBlocks, expected.displayIDBlocks) << what;
}

// Counts the notifications it hears.
struct CountingObserver : libEDID::EDIDCallback {
    void onSysInfoProperty(const qor::String&, const qor::QORValue&) override { ++heard; }
    int heard = 0;
};

// Assigns `replacement` to `target` when it hears `trigger`, once.
struct AssigningObserver : libEDID::EDIDCallback {
    AssigningObserver(EDIDParser& parser, const EDIDParser& by, std::string property)
        : target(parser), replacement(by), trigger(std::move(property)) {}
    void onSysInfoProperty(const qor::String& name, const qor::QORValue&) override {
        if (!fired && name.str() == trigger) {
            fired = true;
            target = replacement;  // releases this observer once the call returns
        }
    }
    EDIDParser& target;
    const EDIDParser& replacement;
    std::string trigger;
    bool fired = false;
};

// An observer that assigns the parser during a parse, in the base block or while an extension
// block is decoded, leaves the parser exactly as the assigned one: the parse returns false
// without throwing, logs, appends, notifies and keeps nothing more, even where the assigned
// EDID has fewer or more extension blocks. The next parse reads the assigned source.
TEST(ParseStateTest, AParserAssignedDuringItsParseHoldsTheAssignedStateOnly) {
    const Bytes ctaAndDisplayID = edidWith({kCTABlock, kDisplayIDBlock}, 0x1111);
    const Bytes baseOnly = edidWith({}, 0x2222);
    const Bytes fiveBlocks =
        edidWith({kDisplayIDBlock, kCTABlock, kOtherBlock, kDisplayIDBlock, kCTABlock}, 0x3333);
    struct Case {
        const char* what;
        Bytes original;
        Bytes assigned;
        const char* trigger;  // the property during which the parser is assigned
    };
    const Case cases[] = {
        {"in the base block", ctaAndDisplayID, fiveBlocks, "ProductCodeID"},
        {"in a CTA block, fewer blocks", ctaAndDisplayID, baseOnly, "CTARevision1"},
        {"in a DisplayID block, fewer blocks", ctaAndDisplayID, baseOnly, "DisplayIDVersion2"},
        {"in a CTA block, more blocks", ctaAndDisplayID, fiveBlocks, "CTARevision1"},
        {"in a DisplayID block, more blocks", ctaAndDisplayID, fiveBlocks, "DisplayIDVersion2"},
    };
    for (const Case& c : cases) {
        EDIDParser replacement(memoryAccessor(c.assigned));
        replacement.setDecodeExtensions(true);
        ASSERT_TRUE(replacement.parseEDID(false)) << c.what;
        const auto listener = std::make_shared<CountingObserver>();
        replacement.registerSysInfoObserver(listener);
        const State expected(replacement);

        EDIDParser parser(memoryAccessor(c.original));
        parser.setDecodeExtensions(true);
        const auto assigner = std::make_shared<AssigningObserver>(parser, replacement, c.trigger);
        parser.registerSysInfoObserver(assigner);
        bool parsed = true;
        EXPECT_NO_THROW(parsed = parser.parseEDID(false)) << c.what;
        EXPECT_TRUE(assigner->fired) << c.what;
        EXPECT_FALSE(parsed) << c.what;
        expectSame(State(parser), expected, c.what);
        EXPECT_EQ(listener->heard, 0) << c.what;

        ASSERT_TRUE(parser.parseEDID(true)) << c.what;
        EXPECT_GT(listener->heard, 0) << c.what;
        EXPECT_EQ(parser.getCTABlocks().size(), expected.ctaBlocks.size()) << c.what;
        EXPECT_EQ(parser.getDisplayIDBlocks().size(), expected.displayIDBlocks.size()) << c.what;
    }
}

// A source whose bytes the test changes between reads; without bytes nothing can be read.
class ChangingSource : public libEDID::EDIDAccessor {
  public:
    explicit ChangingSource(const Bytes& content) : bytes(content) { accessible = true; }
    int read(unsigned int offset, unsigned int length, void* out) override {
        if (offset > bytes.size() || length > bytes.size() - offset) {
            return -1;
        }
        std::memcpy(out, bytes.data() + offset, length);
        return static_cast<int>(length);
    }

  private:
    const Bytes& bytes;
};

// The decoded extension blocks belong to the blocks last read: a parse that cannot read the
// EDID, and a forced checksum check that reads the blocks again, leave none; a checksum check
// that reads nothing keeps them.
TEST(ParseStateTest, DecodedBlocksAreThoseOfTheBlocksLastRead) {
    struct Case {
        const char* what;
        Bytes next;  // the source's bytes after the first parse
        bool (*step)(EDIDParser&);
        bool succeeds;
        std::size_t ctaBlocks;
        std::size_t displayIDBlocks;
    };
    const Case cases[] = {
        {"forced parse of a source that is gone",
         {},
         [](EDIDParser& p) { return p.parseEDID(true); },
         false,
         0,
         0},
        {"forced checksum check of a base block alone", edidWith({}),
         [](EDIDParser& p) { return p.verifyChecksum(true); }, true, 0, 0},
        {"forced checksum check of other blocks", edidWith({kOtherBlock, kCTABlock}),
         [](EDIDParser& p) { return p.verifyChecksum(true); }, true, 0, 0},
        {"checksum check without reading", edidWith({}),
         [](EDIDParser& p) { return p.verifyChecksum(false); }, true, 1, 1},
    };
    for (const Case& c : cases) {
        Bytes content = edidWith({kCTABlock, kDisplayIDBlock});
        EDIDParser parser(libEDID::makeAccessor<ChangingSource>(content));
        parser.setDecodeExtensions(true);
        ASSERT_TRUE(parser.parseEDID(false)) << c.what;
        ASSERT_EQ(parser.getCTABlocks().size(), 1u) << c.what;
        ASSERT_EQ(parser.getDisplayIDBlocks().size(), 1u) << c.what;

        content = c.next;
        EXPECT_EQ(c.step(parser), c.succeeds) << c.what;
        EXPECT_EQ(parser.getCTABlocks().size(), c.ctaBlocks) << c.what;
        EXPECT_EQ(parser.getDisplayIDBlocks().size(), c.displayIDBlocks) << c.what;
    }
}

}  // namespace
