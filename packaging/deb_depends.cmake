# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). The Debian
# packages the programs and the web view library need are read from them by
# dpkg-shlibdeps here, not by CPack's own CPACK_DEBIAN_PACKAGE_SHLIBDEPS: that
# option makes CPack add `ldconfig` to postinst and postrm for any library in
# a folder under /usr/lib, and the web view library sits in the private
# folder /usr/lib/ventoral, which the dynamic loader never searches.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

find_program(VENTORAL_SHLIBDEPS dpkg-shlibdeps)
if(NOT VENTORAL_SHLIBDEPS)
  message(FATAL_ERROR "dpkg-shlibdeps (Debian package dpkg-dev) is needed to build the package")
endif()

include("${CPACK_VENTORAL_ELF_LIST}")

# dpkg-shlibdeps reads debian/control in its working folder; an empty one does.
set(work "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(TOUCH "${work}/debian/control")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${VENTORAL_SHLIBDEPS} -O ${CPACK_VENTORAL_ELF_FILES}
  WORKING_DIRECTORY "${work}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE found
  ERROR_VARIABLE problems)
if(NOT status EQUAL 0 OR NOT found MATCHES "shlibs:Depends=([^\n]*)")
  message(FATAL_ERROR "dpkg-shlibdeps failed on ${CPACK_VENTORAL_ELF_FILES}:\n${problems}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_VENTORAL_EXTRA_DEPENDS}")
