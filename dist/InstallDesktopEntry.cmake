# Run by cmake --install: writes the menu entry with the installed binary's path as its Exec,
# then installs it (DESTDIR applies, and the file is recorded in the install manifest).

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
