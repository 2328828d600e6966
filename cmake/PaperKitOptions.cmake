# One target that carries the project-wide settings; every target of ours links it.
add_library(paperkit_options INTERFACE)
target_compile_features(paperkit_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
# Static libraries of ours also go into the shared wallpaper library.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
target_compile_options(paperkit_options INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12 reports impossible overlaps in inlined std::string assignments at -O2 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(paperkit_options INTERFACE -Wno-restrict)
endif()
if(PAPERKIT_WERROR)
    target_compile_options(paperkit_options INTERFACE -Werror)
endif()
target_compile_definitions(paperkit_options INTERFACE
    PAPERKIT_VERSION="${PROJECT_VERSION}")

# The fuzz build instruments every library of ours for coverage; only the fuzz targets link the
# libFuzzer driver itself.
if(PAPERKIT_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "PAPERKIT_FUZZ needs clang (CC=clang CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
elseif(PAPERKIT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Adds a core library of ours: sources given, headers found beside them, includes rooted at src/.
function(paperkit_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC paperkit_options ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# paperkit_embed_file(TARGET target INPUT file SYMBOL name): compiles the file's bytes into the
# target as `extern const std::string_view paperkit::name`.
function(paperkit_embed_file)
    cmake_parse_arguments(ARG "" "TARGET;INPUT;SYMBOL" "" ${ARGN})
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_SYMBOL}_embedded.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${ARG_INPUT} -DOUTPUT=${output} -DSYMBOL=${ARG_SYMBOL}
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        DEPENDS ${ARG_INPUT} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
        COMMENT "Embedding ${ARG_INPUT}"
        VERBATIM)
    target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
