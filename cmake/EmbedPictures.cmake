# Writes a C++ source that holds the text of every SVG picture in PICTURE_DIR, so that the plain C++
# drawing code puts the very pictures the program shows into the documents it writes. Run at build
# time:
#   cmake -DOUTPUT=file.cpp -DPICTURE_DIR=resources/pictures -P EmbedPictures.cmake
file(GLOB pictures "${PICTURE_DIR}/*.svg")
list(SORT pictures)
set(entries "")
foreach(path IN LISTS pictures)
    get_filename_component(name "${path}" NAME_WE)
    file(READ "${path}" text)
    string(FIND "${text}" ")svg\"" clash)
    if(NOT clash EQUAL -1)
        message(FATAL_ERROR "${path} holds the raw-string delimiter )svg\"")
    endif()
    string(APPEND entries "    { \"${name}\", R\"svg(${text})svg\" },\n")
endforeach()
set(source "// Generated from resources/pictures by cmake/EmbedPictures.cmake; edit the SVG files instead.

#include \"drawing/picture_sources.h\"

#include <array>
#include <utility>

namespace corvane {

namespace {
    struct Source {
        std::string_view name;
        std::string_view text;
    };

    // clang-format off
    constexpr Source kSources[] {
${entries}    };
    // clang-format on
} // namespace

std::string_view PictureSource(std::string_view name)
{
    for (const Source& source : kSources)
        if (source.name == name)
            return source.text;
    return {};
}

} // namespace corvane
")
file(WRITE "${OUTPUT}" "${source}")
