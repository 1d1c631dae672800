# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cmake --install: writes the menu entry and the D-Bus service with the installed
# binary's path as their Exec, then installs them (DESTDIR applies, and the files are recorded in
# the install manifest).

# The Exec value that runs <path>: quoted where the desktop entry format reserves a character,
# then escaped as every string value of a desktop entry is. X11LoginItems::execValue does the
# same for the autostart entry.
function(corvane_exec_value path out)
    string(REPLACE "%" "%%" value "${path}")
    if(value STREQUAL "" OR value MATCHES "[ \t\n\"'\\><~|&;$*?#()`]")
        string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" value "${value}")
        set(value "\"${value}\"")
    endif()
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\n" "\\n" value "${value}")
    string(REPLACE "\t" "\\t" value "${value}")
    string(REPLACE "\r" "\\r" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

corvane_exec_value("${CMAKE_INSTALL_PREFIX}/bin/corvane" CORVANE_EXEC)
configure_file("${CORVANE_DESKTOP_TEMPLATE}" "${CORVANE_DESKTOP_ENTRY}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
    FILES "${CORVANE_DESKTOP_ENTRY}")

# The D-Bus session service, so that a call to app.corvane.Corvane starts Corvane when it does not
# run. The bus splits its Exec as a shell would: a path with such characters goes in single
# quotes, each quote in it closed, escaped and reopened.
set(CORVANE_DBUS_EXEC "${CMAKE_INSTALL_PREFIX}/bin/corvane")
if(CORVANE_DBUS_EXEC MATCHES "[^A-Za-z0-9_./+=:,@%-]")
    string(REPLACE "'" "'\\''" CORVANE_DBUS_EXEC "${CORVANE_DBUS_EXEC}")
    set(CORVANE_DBUS_EXEC "'${CORVANE_DBUS_EXEC}'")
endif()
configure_file("${CORVANE_SERVICE_TEMPLATE}" "${CORVANE_SERVICE_FILE}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/dbus-1/services" TYPE FILE
    FILES "${CORVANE_SERVICE_FILE}")
