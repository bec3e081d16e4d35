# End-to-end journeys: the built program on a private desktop (Xvfb, openbox, a session
# bus and the accessibility bus), driven from outside. One CTest test a journey file;
# each starts the program once. tests/e2e/README.md says how to add one.
set(KETAB_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB KETAB_E2E_GROUPS CONFIGURE_DEPENDS ${KETAB_E2E_DIR}/journeys/*.py)
list(FILTER KETAB_E2E_GROUPS EXCLUDE REGEX "/__init__\\.py$")
# The journeys drive the built program unless pointed at another, such as an installed one.
set(KETAB_E2E_PROGRAM "${KETAB_BOOK_DIR}/ketab" CACHE FILEPATH "Program the end-to-end journeys drive")
set(KETAB_E2E_BOOK "" CACHE PATH "Book folder of that program (empty: the program's own folder)")
set(KETAB_E2E_RUN /usr/bin/python3 ${KETAB_E2E_DIR}/run.py
    --program ${KETAB_E2E_PROGRAM} --out ${CMAKE_BINARY_DIR}/e2e)
if(KETAB_E2E_BOOK)
  list(APPEND KETAB_E2E_RUN --book ${KETAB_E2E_BOOK})
endif()
set(KETAB_E2E_NAMES)
foreach(file ${KETAB_E2E_GROUPS})
  get_filename_component(group ${file} NAME_WE)
  list(APPEND KETAB_E2E_NAMES ${group})
  add_test(NAME e2e/${group} COMMAND ${KETAB_E2E_RUN} ${group})
  # One desktop at a time: the journeys wait on a busy machine, they do not race it.
  set_tests_properties(e2e/${group} PROPERTIES TIMEOUT 240 RESOURCE_LOCK ketab_e2e_desktop
                       LABELS e2e ENVIRONMENT "LC_ALL=C.UTF-8")
endforeach()

# Refreshes the README's pictures in docs/ from a green run of every journey; the
# ordinary test run only keeps them under build/e2e/readme-pictures/.
add_custom_target(readme_pictures
  COMMAND ${KETAB_E2E_RUN} ${KETAB_E2E_NAMES} --pictures ${CMAKE_SOURCE_DIR}/docs
  USES_TERMINAL)
add_dependencies(readme_pictures ketab xaudio ketab_book)
