if(TARGET test_install_tst_installlayout)
  add_dependencies(test_install_tst_installlayout ketab)
  target_compile_definitions(test_install_tst_installlayout PRIVATE KETAB_VERSION="${PROJECT_VERSION}")
endif()

# The staging install: layout, validators, the installed program.
find_program(KETAB_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME install/staging
  COMMAND ${KETAB_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_install.py ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/install-stage ${CMAKE_SOURCE_DIR})
set_tests_properties(install/staging PROPERTIES TIMEOUT 300)

# The Debian package built from the same install, with lintian.
add_test(NAME install/package
  COMMAND ${KETAB_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_package.py ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/package ${PROJECT_VERSION})
set_tests_properties(install/package PROPERTIES TIMEOUT 300)

# The installed program driven on the end-to-end suite's desktop, one desktop at a time.
add_test(NAME install/program
  COMMAND ${KETAB_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_installed_program.py ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/installed-program)
set_tests_properties(install/program PROPERTIES TIMEOUT 240 RESOURCE_LOCK ketab_e2e_desktop LABELS e2e
                     ENVIRONMENT "LC_ALL=C.UTF-8")
