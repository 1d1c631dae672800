# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged tree of the Debian package, before it is packed: what Debian's own
# tools (dh_strip, dh_installdocs, dh_installchangelogs) do to a package.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
set(binary "${root}/usr/bin/corvane")
if(NOT EXISTS "${binary}")
    message(FATAL_ERROR "The staged package has no ${binary}")
endif()

# Stripped of its symbols and of the compiler's and linker's notes (.comment), which nobody
# running it needs.
execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
    --strip-unneeded "${binary}" COMMAND_ERROR_IS_FATAL ANY)

# The licence in the machine-readable form, and the package's changelog, compressed without a
# timestamp; its newest entry must be this package's version.
set(doc "${root}/usr/share/doc/corvane")
file(MAKE_DIRECTORY "${doc}")
file(COPY "${CPACK_CORVANE_DEBIAN_DIR}/copyright" DESTINATION "${doc}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(STRINGS "${CPACK_CORVANE_DEBIAN_DIR}/changelog" newest LIMIT_COUNT 1)
set(version "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT newest MATCHES "^corvane \\(${version}\\) ")
    message(FATAL_ERROR "dist/debian/changelog begins with '${newest}', not with version ${version}")
endif()
execute_process(COMMAND gzip -9nc "${CPACK_CORVANE_DEBIAN_DIR}/changelog"
    OUTPUT_FILE "${doc}/changelog.Debian.gz" COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${doc}/changelog.Debian.gz" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# What lintian is told to accept, each with its reason.
set(overrides "${root}/usr/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_CORVANE_DEBIAN_DIR}/lintian-overrides" "${overrides}/corvane")
file(CHMOD "${overrides}/corvane" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
