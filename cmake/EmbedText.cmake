# Turns a text bundle ("<Key> = <text>" lines) into a C++ source that defines it as a
# qor::ConstantBundle, split into entries and indexed under a key prefix by the compiler:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -DPREFIX=<prefix> -P EmbedText.cmake
# defines `const qor::ConstantBundle <name>`. The text is split into raw-string chunks, each a
# literal of its own, joined into one array at compile time: no literal comes near the 64 KiB
# that compilers are required to support (clang warns past it).
file(READ "${INPUT}" content)
string(LENGTH "${content}" length)
set(chunks "")
set(pos 0)
while(pos LESS length)
    string(SUBSTRING "${content}" ${pos} 4000 piece)
    string(APPEND chunks "    R\"QORTEXT(${piece})QORTEXT\",\n")
    math(EXPR pos "${pos} + 4000")
endwhile()
if(chunks STREQUAL "")
    set(chunks "    \"\",\n")
endif()
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "#include <array>\n"
    "#include <cstddef>\n"
    "#include <string_view>\n\n"
    "#include \"qor/TextLines.h\"\n\n"
    "namespace {\n"
    "constexpr std::string_view kChunks[] = {\n${chunks}};\n"
    "constexpr std::size_t kLength = [] {\n"
    "    std::size_t length = 0;\n"
    "    for (const std::string_view chunk : kChunks) {\n"
    "        length += chunk.size();\n"
    "    }\n"
    "    return length;\n"
    "}();\n"
    "constexpr std::array<char, kLength> kJoined = [] {\n"
    "    std::array<char, kLength> joined{};\n"
    "    std::size_t at = 0;\n"
    "    for (const std::string_view chunk : kChunks) {\n"
    "        for (const char c : chunk) {\n"
    "            joined[at++] = c;\n"
    "        }\n"
    "    }\n"
    "    return joined;\n"
    "}();\n"
    "constexpr std::string_view kText(kJoined.data(), kJoined.size());\n"
    "constexpr std::string_view kPrefix = \"${PREFIX}\";\n"
    "constexpr auto kEntries = qor::splitTextEntries<qor::countTextEntries(kText)>(kText);\n"
    "constexpr qor::TextIndexSize kSize = qor::textIndexSize(kEntries, kPrefix);\n"
    "constexpr auto kIndex =\n"
    "    qor::indexTextEntries<kSize.texts, kSize.placeholders>(kEntries, kPrefix);\n"
    "}  // namespace\n\n"
    "extern const qor::ConstantBundle ${SYMBOL};\n"
    "constinit const qor::ConstantBundle ${SYMBOL}{kEntries, kIndex.index()};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
