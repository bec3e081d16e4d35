# Every message the program's code marks for translation has its Persian translation, and
# the kept translation file holds no message the code has dropped.
find_program(KETAB_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME translations/complete
  COMMAND ${KETAB_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_translations.py
    $<TARGET_FILE:Qt6::lupdate> ${KETAB_TS_FILE} ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_BINARY_DIR}/translations
    ${KETAB_TRANSLATED_SOURCES}
  COMMAND_EXPAND_LISTS)
set_tests_properties(translations/complete PROPERTIES TIMEOUT 120)
