# Helpers shared by the project's CMake files.

# Compile flags for our own code (not for JUCE's modules).
function(vorl_project_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# Lets a plain executable or library use a JUCE static library built elsewhere in the
# project: it takes the library's include paths and definitions without compiling
# the JUCE modules a second time.
function(vorl_use_juce_library target library)
    target_compile_definitions(${target} PRIVATE $<TARGET_PROPERTY:${library},COMPILE_DEFINITIONS>)
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:${library},INCLUDE_DIRECTORIES>)
    target_link_libraries(${target} PRIVATE ${library})
endfunction()

# A command-line program or library built on the plug-in's shared code.
function(vorl_add_juce_target kind name)
    if(kind STREQUAL "EXECUTABLE")
        add_executable(${name} ${ARGN})
    else()
        add_library(${name} STATIC ${ARGN})
    endif()
    vorl_use_juce_library(${name} VorlDelay)
    vorl_project_warnings(${name})
endfunction()

# Registers a GoogleTest program with CTest: one CTest test per case on the build machine, the
# whole program as one test when cross-compiled (each start under Wine costs seconds).
function(vorl_add_gtests target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST ${ARGN})
    endif()
endfunction()

# The LV2 bundle the build makes and the folder holding it (the folder LV2_PATH names).
function(vorl_lv2_locations bundle_var folder_var)
    get_target_property(bundle VorlDelay_LV2 JUCE_PLUGIN_ARTEFACT_FILE)
    string(REGEX REPLACE "/[^/]*$" "" folder "${bundle}")
    set(${bundle_var} "${bundle}" PARENT_SCOPE)
    set(${folder_var} "${folder}" PARENT_SCOPE)
endfunction()
