# Installation and the Debian package: the four programs (stripped in the package), their
# manual pages, and in share/doc/recharge-tools/ the copyright (the licence), the changelog, the
# README and the docs pages. Both take what the build made: installing does not first build every
# target (every test program), and building the four programs also makes their manual pages and
# the changelog, so building the four programs is enough for a package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(GNUInstallDirs)

set(RECHARGE_CONTACT "Recharge tools maintainers <recharge-tools@example.org>")
set(recharge_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/recharge-tools)
set(recharge_programs corvane tallisk membrelv2)
if(RECHARGE_GRIDKIT)
  list(APPEND recharge_programs gridkit)
endif()

install(TARGETS ${recharge_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The year driver beside the programs, and the Slurm job-array script that starts it.
install(PROGRAMS tools/recharge-year DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS tools/slurm/recharge-years.sbatch
        DESTINATION ${CMAKE_INSTALL_DATADIR}/recharge-tools/slurm)
if(RECHARGE_MAN_PAGES)
  install(FILES ${RECHARGE_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The copyright file in Debian's machine-readable form, its licence text the one of LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${license_text}")
set(RECHARGE_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^[^\n]*\n\nCopyright[^\n]*\n\n" "" license_terms "${license_text}")
string(STRIP "${license_terms}" license_terms)
string(REPLACE "\n\n" "\n.\n" license_terms "${license_terms}")
string(REPLACE "\n" "\n " license_terms "${license_terms}")
set(RECHARGE_LICENSE_TEXT " ${license_terms}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in
               ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)

# The changelog, compressed as Debian wants it (at most, no name or time stamp in the header).
# Its latest entry must name this release.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_head LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)]*)\\)" changelog_version "${changelog_head}")
set(RECHARGE_CHANGELOG_VERSION "${CMAKE_MATCH_1}")
find_program(RECHARGE_GZIP gzip)
set(recharge_doc_files ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/README.md)
if(RECHARGE_GZIP)
  set(changelog_gz ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(
    OUTPUT ${changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${PROJECT_BINARY_DIR}/packaging/changelog
    COMMAND ${RECHARGE_GZIP} -9nf ${PROJECT_BINARY_DIR}/packaging/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    COMMENT "Changelog"
    VERBATIM)
  list(APPEND recharge_doc_files ${changelog_gz})
endif()
add_custom_target(package_files ALL DEPENDS ${changelog_gz})
if(TARGET man_pages)
  add_dependencies(package_files man_pages)
endif()
foreach(program ${recharge_programs})
  add_dependencies(${program} package_files)
endforeach()
install(FILES ${recharge_doc_files} DESTINATION ${recharge_doc_dir})
file(GLOB doc_pages ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${doc_pages} DESTINATION ${recharge_doc_dir}/docs)

# Whether this build can be packaged: the package always has gridkit's netcdf command, so a
# build without the NetCDF C library, or without gzip for the manual pages, cannot be.
set(RECHARGE_PACKAGE_BLOCKER "")
if(WIN32)
  set(RECHARGE_PACKAGE_BLOCKER "a Windows build")
elseif(NOT RECHARGE_HAVE_NETCDF)
  set(RECHARGE_PACKAGE_BLOCKER "gridkit is built without NetCDF (Debian: libnetcdf-dev, which "
                               "tools/setup installs)")
elseif(NOT RECHARGE_MAN_PAGES OR NOT RECHARGE_GZIP)
  set(RECHARGE_PACKAGE_BLOCKER "no manual pages or changelog in this build (a cross-build, or "
                               "no gzip)")
elseif(NOT RECHARGE_CHANGELOG_VERSION STREQUAL PROJECT_VERSION)
  set(RECHARGE_PACKAGE_BLOCKER "packaging/changelog's latest entry is "
                               "${RECHARGE_CHANGELOG_VERSION}, the release ${PROJECT_VERSION}")
endif()
string(CONCAT RECHARGE_PACKAGE_BLOCKER ${RECHARGE_PACKAGE_BLOCKER})
if(RECHARGE_PACKAGE AND RECHARGE_PACKAGE_BLOCKER)
  message(FATAL_ERROR "RECHARGE_PACKAGE is ON but this build cannot be packaged: "
                      "${RECHARGE_PACKAGE_BLOCKER}")
endif()

set(CPACK_PACKAGE_NAME "recharge-tools")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "recharge grids and streamflow impact accounting for a groundwater model")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Batch programs that prepare recharge input for a regional groundwater-flow
model of one-mile cells and account for its results: corvane builds monthly
recharge grids from the return flows of irrigated areas; tallisk writes the
streamflow impacts of variant model runs at accounting points as an HTML
table; membrelv2 computes a state's county surface-water recharge grids;
gridkit checks, maps, compares and converts their grids and run files, and
writes a whole run as one NetCDF file.")
set(CPACK_PACKAGE_CONTACT "${RECHARGE_CONTACT}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The programs' shared-library needs (the C and C++ runtimes, and gridkit's libraries) become
# the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Checked again when cpack runs, so a build that cannot be packaged makes no package.
set(CPACK_RECHARGE_PACKAGE_BLOCKER "${RECHARGE_PACKAGE_BLOCKER}")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_check.cmake)
include(CPack)
