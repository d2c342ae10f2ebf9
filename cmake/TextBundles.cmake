# libedid_embed_text_bundles(<out-var> SECTION <section> PREFIX <key prefix>)
# Compiles every bundle resources/<section>.<locale>.txt in: for each, a C++ source that
# defines it as a qor::ConstantBundle indexed under PREFIX (cmake/EmbedText.cmake), and one
# source that defines
#   void addBuiltIn<Stem>Texts(void (*add)(const char* locale, const qor::ConstantBundle&));
# which hands each bundle to `add` with its locale (English first). <Stem> is the section's
# words capitalised and joined: addBuiltInLibEDIDTexts, addBuiltInEdidCheckTexts. The sources
# are appended to <out-var>. A bundle added to resources/ is found when CMake runs again.
function(libedid_embed_text_bundles out_var)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "SECTION;PREFIX" "")
    string(REGEX REPLACE "[^A-Za-z0-9]+" ";" words "${arg_SECTION}")
    set(stem "")
    foreach(word IN LISTS words)
        string(SUBSTRING "${word}" 0 1 first)
        string(SUBSTRING "${word}" 1 -1 rest)
        string(TOUPPER "${first}" first)
        string(APPEND stem "${first}${rest}")
    endforeach()

    file(GLOB bundles CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/resources
        ${PROJECT_SOURCE_DIR}/resources/${arg_SECTION}.*.txt)
    set(locales "")
    foreach(bundle IN LISTS bundles)
        string(REGEX REPLACE "^${arg_SECTION}\\.(.+)\\.txt$" "\\1" locale "${bundle}")
        list(APPEND locales ${locale})
    endforeach()
    list(SORT locales)
    if(NOT "en" IN_LIST locales)
        message(FATAL_ERROR "resources/${arg_SECTION}.en.txt is missing")
    endif()
    list(REMOVE_ITEM locales en)
    list(PREPEND locales en)

    set(sources ${${out_var}})
    set(declarations "")
    set(calls "")
    foreach(locale IN LISTS locales)
        string(MAKE_C_IDENTIFIER "k${stem}Texts_${locale}" symbol)
        set(input ${PROJECT_SOURCE_DIR}/resources/${arg_SECTION}.${locale}.txt)
        set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/${symbol}.cpp)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
                    -DPREFIX=${arg_PREFIX} -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
            DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
            COMMENT "Embedding the texts of ${arg_SECTION} (${locale})"
            VERBATIM)
        list(APPEND sources ${output})
        string(APPEND declarations "extern const qor::ConstantBundle ${symbol};\n")
        string(APPEND calls "    add(\"${locale}\", ${symbol});\n")
    endforeach()

    set(list_source ${CMAKE_CURRENT_BINARY_DIR}/generated/${stem}TextBundles.cpp)
    file(CONFIGURE OUTPUT ${list_source} CONTENT
"// Generated from the bundles resources/${arg_SECTION}.<locale>.txt; do not edit.
#include \"qor/TextLines.h\"

${declarations}
void addBuiltIn${stem}Texts(void (*add)(const char* locale, const qor::ConstantBundle& bundle));

void addBuiltIn${stem}Texts(void (*add)(const char* locale, const qor::ConstantBundle& bundle)) {
${calls}}
")
    list(APPEND sources ${list_source})
    set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
