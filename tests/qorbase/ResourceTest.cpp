#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>  // alarm
#endif

#include "Blocking.h"
#include "QorTestSupport.h"
#include "TempDir.h"
#include "qor/Resource.h"

namespace {

using qor::QORLocale;
using qor::Resource;
using qor::String;

// Each test uses sections of its own: the database lives as long as the process.

// A fresh section for each run of a test that adds texts (--gtest_repeat runs it again).
std::string freshSection(const char* name) {
    static int runs = 0;
    return std::string(name) + "." + std::to_string(++runs);
}

std::string text(const std::string& section, const char* key, const char* locale) {
    String out("<none>");
    Resource::getString(section, key, out, QORLocale(locale));
    return out.str();
}

std::string setting(const char* section, const char* key) {
    String out("<none>");
    Resource::getSetting(section, key, out, QORLocale::getGlobalLocale());
    return out.str();
}

// A lookup tries the exact locale, then its language, then English; a table resolves every key
// of its prefix once, through the same chain, and is a snapshot: adding texts or setting the
// global locale moves the generation, and only a new table sees the text.
TEST(ResourceTest, LookupsAndTablesFallBackFromLocaleToLanguageToEnglish) {
    const std::string section = freshSection("qt.chain");
    Resource::addStrings(section, "en", "P.K1 = en1\nP.K2 = en2\nP.K3 = en3\nOther = x\n");
    Resource::addStrings(section, "de", "P.K2 = de2\nP.K3 = de3\nPK4 = no prefix\n");
    Resource::addStrings(section, "de_DE", "P.K3 = deDE3\n");
    struct Case {
        const char* locale;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"de_DE", "K3", "deDE3"}, {"de_DE", "K2", "de2"},    {"de_DE", "K1", "en1"},
        {"de", "K3", "de3"},      {"de_AT", "K3", "de3"},    {"fr", "K2", "en2"},
        {"en_US", "K1", "en1"},   {"de_DE", "K4", "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.key);
        EXPECT_EQ(text(section, ("P." + std::string(c.key)).c_str(), c.locale), c.expected);
        const String* found =
            Resource::getTextTable(section, QORLocale(c.locale), "P.")->find(c.key);
        EXPECT_EQ(found != nullptr ? found->str() : "<none>", c.expected);
    }
    String out("kept");
    EXPECT_FALSE(Resource::getString(section, "P.K4", out, QORLocale("en")));
    EXPECT_EQ(out, String("kept"));
    EXPECT_EQ(text("qt.other-section", "P.K1", "en"), "<none>");
    const auto table = Resource::getTextTable(section, QORLocale("de"), "P.");
    EXPECT_EQ(table->size(), 3u);
    EXPECT_EQ(table->find("Other"), nullptr);
    EXPECT_EQ(table->find("P.K1"), nullptr);
    EXPECT_EQ(Resource::getTextTable(section, QORLocale("de"), "P."), table);

    std::uint64_t generation = Resource::getTextGeneration();
    // A text replaced later (its old storage freed) stays as it was in the table.
    Resource::addStrings(section, "de", "P.K1 = de1\nP.K2 = replaced\n");
    EXPECT_NE(Resource::getTextGeneration(), generation);
    EXPECT_EQ(*table->find("K1"), String("en1"));
    EXPECT_EQ(*table->find("K2"), String("de2"));
    EXPECT_EQ(*Resource::getTextTable(section, QORLocale("de"), "P.")->find("K1"), String("de1"));
    generation = Resource::getTextGeneration();
    QORLocale::setGlobalLocale(QORLocale::getGlobalLocale());
    EXPECT_NE(Resource::getTextGeneration(), generation);
}

// The locales with texts of a section, and for a locale the first of its chain that has texts
// and how many English keys of the prefix none of the locales before English translates.
TEST(ResourceTest, CoverageNamesTheLocaleUsedAndCountsTheKeysLeftInEnglish) {
    const std::string section = freshSection("qt.coverage");
    Resource::addStrings(section, "en", "P.K1 = en1\nP.K2 = en2\nP.K3 = en3\nOther = x\n");
    Resource::addStrings(section, "de", "P.K2 = de2\nP.K3 = de3\nP.K9 = only German\n");
    Resource::addStrings(section, "de_CH", "P.K3 = ch3\nOther = y\n");
    Resource::addStrings(section, "fr", "Other = z\n");
    Resource::addStrings(section, "it", "");
    struct Case {
        const char* locale;
        const char* used;
        std::size_t fallbacks;
    };
    const Case cases[] = {
        {"de", "de", 1},       {"de_CH", "de_CH", 1}, {"de_AT", "de", 1},
        {"de.UTF-8", "de", 1}, {"fr_FR", "fr", 3},    {"it", "en", 0},
        {"xx_YY", "en", 0},    {"en_US", "en", 0},    {"en", "en", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const qor::TextCoverage coverage =
            Resource::getTextCoverage(section, QORLocale(c.locale), "P.");
        EXPECT_EQ(coverage.locale, String(c.used));
        EXPECT_EQ(coverage.fallbacks, c.fallbacks);
    }
    // Without a prefix every key counts.
    EXPECT_EQ(Resource::getTextCoverage(section, QORLocale("de"), "").fallbacks, 2u);
    EXPECT_EQ(Resource::getTextLocales(section), (std::vector<String>{"de", "de_CH", "en", "fr"}));
    EXPECT_TRUE(Resource::getTextLocales("qt.coverage.none").empty());
}

TEST(ResourceTest, AddStringsParsesLinesAndHonoursReplace) {
    // Comments, a blank line, trailing blanks and CR, a '=' in the text, a line without one.
    const char* bundle =
        "# comment\n\n; also a comment\nA = first text  \r\nB = x = y\n"
        "no separator here\nEmpty =\n";
    const std::string section = freshSection("qt.add");
    EXPECT_EQ(Resource::addStrings(section, "en", bundle), 3u);
    const auto texts = [&] {
        return std::vector<std::string>{text(section, "A", "en"), text(section, "B", "en"),
                                        text(section, "Empty", "en"), text(section, "C", "en")};
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"first text", "x = y", "", "<none>"}));
    // Without replacing, existing texts stay, empty ones too.
    Resource::addStrings(section, "en", "A = default\nEmpty = default\nC = new\n", false);
    EXPECT_EQ(texts(), (std::vector<std::string>{"first text", "x = y", "", "new"}));
    Resource::addStrings(section, "en", "A = replaced\n", true);
    EXPECT_EQ(text(section, "A", "en"), "replaced");
}

TEST(ResourceTest, MissingKeysAreListedSortedOnce) {
    Resource::addStrings("qt.missing", "en", "Present = yes\n");
    for (const char* key : {"Zeta", "Alpha", "Present", "Zeta"}) {
        String out;
        Resource::getString("qt.missing", key, out, QORLocale("en"));
    }
    Resource::noteMissingKey("qt.missing", "Beta");
    EXPECT_EQ(Resource::getMissingKeys("qt.missing"),
              (std::vector<String>{"Alpha", "Beta", "Zeta"}));
    EXPECT_TRUE(Resource::getMissingKeys("qt.never-asked").empty());
}

TEST(ResourceTest, SettingsPreferApiThenEnvironmentThenFile) {
    edidtest::TempDir dir;
    const std::string file =
        dir.write("settings.ini",
                  "[qtset]\nDump.value = from file\nOther = 1\n[qtelse]\nDump.value = other\n");
    ASSERT_TRUE(Resource::loadSettings(file));
    EXPECT_EQ(setting("qtset", "Dump.value"), "from file");
    EXPECT_EQ(setting("qtelse", "Dump.value"), "other");
    qortest::setEnvironment("QOR_SETTING_qtset_Dump_value", "from environment");
    EXPECT_EQ(setting("qtset", "Dump.value"), "from environment");
    Resource::setSetting("qtset", "Dump.value", "from api");
    EXPECT_EQ(setting("qtset", "Dump.value"), "from api");
    Resource::clearSetting("qtset", "Dump.value");
    EXPECT_EQ(setting("qtset", "Dump.value"), "from environment");
    qortest::setEnvironment("QOR_SETTING_qtset_Dump_value", nullptr);
    EXPECT_EQ(setting("qtset", "Dump.value"), "from file");
    EXPECT_EQ(setting("qtset", "Absent"), "<none>");

    // A later file replaces the earlier one; an unreadable one changes nothing.
    EXPECT_FALSE(Resource::loadSettings(dir.file("missing.ini")));
    EXPECT_EQ(setting("qtset", "Other"), "1");
    ASSERT_TRUE(Resource::loadSettings(dir.write("second.ini", "[qtset]\nOther = 2\n")));
    EXPECT_EQ(setting("qtset", "Other"), "2");
    EXPECT_EQ(setting("qtset", "Dump.value"), "<none>");
}

// Settings and text files are read only when they are regular files of at most 1 MiB: a missing
// file or a folder is refused, a FIFO without blocking, a larger file whole with a log line.
TEST(ResourceTest, SettingsAndTextFilesAreSmallRegularFiles) {
    edidtest::TempDir dir;
    EXPECT_TRUE(Resource::loadStrings("qt.load", "de", dir.write("de.txt", "Hello = Hallo\n")));
    EXPECT_EQ(text("qt.load", "Hello", "de_CH"), "Hallo");
    EXPECT_FALSE(Resource::loadStrings("qt.load", "de", dir.file("missing.txt")));
    EXPECT_FALSE(Resource::loadStrings("qt.load", "de", dir.path().string()));
    const std::string large =
        dir.write("large.ini", "[qtbig]\nA = 1\n" + std::string(1 << 20, '#'));
    std::vector<std::string> paths = {large};
#ifdef _WIN32
    const std::string fifo;
#else
    const std::string fifo = edidtest::makeFifo(dir.file("fifo.ini"));
    paths.push_back(fifo);
#endif
    for (const std::string& path : paths) {
        edidtest::LogCapture log(3);
        bool loaded = true;
        EXPECT_TRUE(edidtest::returnsWithoutBlocking(fifo, [&] {
            loaded = Resource::loadSettings(path) || Resource::loadStrings("qtbig", "en", path);
        })) << path;
        EXPECT_FALSE(loaded) << path;
        ASSERT_EQ(log.lines().size(), 2u) << path;
        EXPECT_EQ(log.lines()[0],
                  "qor.Resource 3 File ignored, " +
                      std::string(path == fifo ? "not a regular file" : "larger than 1 MiB") +
                      ": \"" + path + "\"");
    }
    EXPECT_EQ(setting("qtbig", "A"), "<none>");
}

// The environment is read when the database or the locale is first used, so these checks run
// in processes of their own.
TEST(ResourceEnvironmentTest, BundleFolderSettingsFileAndLocaleComeFromTheEnvironment) {
    qortest::expectInFreshProcess([] {
        edidtest::TempDir dir;
        dir.write("qtdir.fr.txt", "Greeting = Bonjour\n");
        dir.write("nolocale.txt", "Greeting = ignored\n");
#ifndef _WIN32
        edidtest::makeFifo(dir.file("qtfifo.fr.txt"));  // skipped, not waited for
        alarm(10);
#endif
        qortest::setEnvironment("QOR_RESOURCE_DIR", dir.path().string().c_str());
        qortest::setEnvironment("QOR_SETTINGS_FILE",
                                dir.write("s.ini", "[qtenv]\nDump.value = on\n").c_str());
        qortest::setEnvironment("QOR_LOCALE", "fr_FR");
        const bool fromEnvironment = text("qtdir", "Greeting", "fr_CA") == "Bonjour" &&
                                     text("nolocale", "Greeting", "en") == "<none>" &&
                                     setting("qtenv", "Dump.value") == "on" &&
                                     QORLocale::getGlobalLocale().getName() == String("fr_FR");
        QORLocale::setGlobalLocale(QORLocale("de_DE"));  // a locale set by the caller wins
        return fromEnvironment && QORLocale::getGlobalLocale().getName() == String("de_DE");
    });
    qortest::expectInFreshProcess([] {
        qortest::setEnvironment("QOR_LOCALE", "");
        return QORLocale::getGlobalLocale().getName() == String("en");
    });
}

}  // namespace
