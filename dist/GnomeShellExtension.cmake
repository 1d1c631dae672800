# SPDX-License-Identifier: GPL-3.0-or-later
# Corvane's GNOME Shell extension, made from one source in both forms the shell loads: a legacy
# script for GNOME Shell 43 and 44, an ES module for 45 and later. Both go to
# share/corvane/gnome-shell/ (Corvane installs the one the running shell needs for the user who
# lacks it); one of them is installed system-wide under share/gnome-shell/extensions/, where
# every user's shell finds it at login.
set(CORVANE_EXTENSION_UUID "corvane@corvane.app")
# Raised whenever what the extension reports or accepts changes.
set(CORVANE_EXTENSION_VERSION 1)
set(extension_source ${CMAKE_SOURCE_DIR}/resources/gnome-shell)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${extension_source}/corvane-core.js)
file(READ ${extension_source}/corvane-core.js core)
# The core's own licence line is the wrapper's.
string(REGEX REPLACE "^// SPDX-License-Identifier: [^\n]*\n" "" CORVANE_EXTENSION_CORE "${core}")

foreach(form legacy module)
    if(form STREQUAL "legacy")
        set(CORVANE_EXTENSION_SHELL_VERSIONS "\"43\", \"44\"")
    else()
        set(CORVANE_EXTENSION_SHELL_VERSIONS "\"45\", \"46\", \"47\", \"48\"")
    endif()
    set(out ${CORVANE_SHARE_DIR}/gnome-shell/${form})
    configure_file(${extension_source}/extension-${form}.js.in ${out}/extension.js @ONLY)
    configure_file(${extension_source}/metadata.json.in ${out}/metadata.json @ONLY)
endforeach()

# The form installed system-wide: the one of the GNOME Shell found here, else Debian 12's (43).
set(form legacy)
find_program(GNOME_SHELL_PROGRAM gnome-shell)
if(GNOME_SHELL_PROGRAM)
    execute_process(COMMAND ${GNOME_SHELL_PROGRAM} --version OUTPUT_VARIABLE shell_version
                    ERROR_QUIET)
    if(shell_version MATCHES "GNOME Shell ([0-9]+)" AND CMAKE_MATCH_1 GREATER_EQUAL 45)
        set(form module)
    endif()
endif()
set(CORVANE_GNOME_SHELL_FORM ${form} CACHE STRING
    "Form of the GNOME Shell extension installed system-wide: legacy (43, 44) or module (45+)")
install(DIRECTORY ${CORVANE_SHARE_DIR}/gnome-shell/${CORVANE_GNOME_SHELL_FORM}/
        DESTINATION share/gnome-shell/extensions/${CORVANE_EXTENSION_UUID})
