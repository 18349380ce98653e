# One interface target carries the compiler policy; every target links it.
add_library(corvane_policy INTERFACE)
target_compile_features(corvane_policy INTERFACE cxx_std_20)
target_compile_options(corvane_policy INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override)
# GCC 12 reports std::string concatenation at -O2 as overlapping copies (a known false positive).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(corvane_policy INTERFACE -Wno-restrict)
endif()
target_compile_definitions(corvane_policy INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(CORVANE_WERROR)
    target_compile_options(corvane_policy INTERFACE -Werror)
endif()
if(CORVANE_SANITIZE)
    target_compile_options(corvane_policy INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(corvane_policy INTERFACE -fsanitize=address,undefined)
endif()
