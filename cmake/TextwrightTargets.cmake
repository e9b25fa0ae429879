# Helpers that give every target of ours the same warnings and output folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
include(TextwrightResources)

function(tw_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
        # GCC 12 reports std::string copies as overlapping memcpy when optimising (GCC bug 105329).
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()

# tw_library(name SOURCES ... [DEPS ...])
function(tw_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${TW_GENERATED_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    tw_warnings(${name})
endfunction()

# tw_test(name SOURCES ... [DEPS ...]): one GoogleTest binary, one ctest entry.
# Under a cross build ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (wine).
function(tw_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
    tw_warnings(${name})
    # Tests in the Windows build are optimised lightly: they compile in two thirds of the time,
    # and the program they check keeps its own optimisation.
    if(MINGW)
        target_compile_options(${name} PRIVATE -O1)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
    # Windows tests share one desktop (focus, foreground, clipboard): one at a time; the rest
    # may run beside them.
    if("win32" IN_LIST ARG_LABELS)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
    endif()
endfunction()

# Our programs start at wWinMain / wmain; MinGW needs to be told, MSVC finds them itself.
function(tw_unicode_entry target)
    if(MINGW)
        target_link_options(${target} PRIVATE -municode)
    endif()
endfunction()
