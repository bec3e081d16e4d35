# Read by cpack before it packs: the libraries the binaries need, as dpkg-shlibdeps finds
# them, go first in the package's Depends. CPack's own search (SHLIBDEPS) runs `file` on
# every installed file, and the book has thousands, so the packaged binaries are named
# here (CPACK_KETAB_BINARIES) and only they are read.
if(CPACK_GENERATOR STREQUAL "DEB")
  string(RANDOM LENGTH 10 tag)
  set(work "${CPACK_KETAB_WORK_DIR}/shlibdeps-${tag}")
  # dpkg-shlibdeps wants to be run in a source package's folder.
  file(MAKE_DIRECTORY "${work}/debian")
  file(WRITE "${work}/debian/control" "")
  execute_process(COMMAND dpkg-shlibdeps -O ${CPACK_KETAB_BINARIES}
    WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE found ERROR_VARIABLE problems RESULT_VARIABLE status
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(REMOVE_RECURSE "${work}")
  if(NOT status EQUAL 0 OR NOT found MATCHES "^shlibs:Depends=")
    message(FATAL_ERROR "dpkg-shlibdeps failed on ${CPACK_KETAB_BINARIES}:\n${problems}")
  endif()
  string(REGEX REPLACE "^shlibs:Depends=" "" depends "${found}")
  # The packages named by hand follow, unless the libraries already brought them in.
  string(REPLACE ", " ";" named "${CPACK_DEBIAN_PACKAGE_DEPENDS}")
  foreach(package IN LISTS named)
    if(NOT depends MATCHES "(^|, )${package}( |,|$)")
      string(APPEND depends ", ${package}")
    endif()
  endforeach()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${depends}")
endif()
