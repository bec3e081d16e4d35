# Fuzz targets: tests/fuzz/fuzz_<name>.cpp, each the entry point of libFuzzer over one
# reader of outside data. Every target is built as a corpus replay that the suite runs on
# its seeds in corpus/<name>/ (test fuzz/<name>); the clang sanitizer build also links it
# with libFuzzer as fuzz_<name>, which tools/fuzz.sh runs for a given time.
file(GLOB KETAB_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fuzz_*.cpp)
foreach(src ${KETAB_FUZZ_SOURCES})
  get_filename_component(stem ${src} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" name ${stem})
  set(targets replay_${name})
  add_executable(replay_${name} ${src} ${CMAKE_CURRENT_LIST_DIR}/FuzzReplay.cpp)
  add_test(NAME fuzz/${name} COMMAND replay_${name} ${CMAKE_CURRENT_LIST_DIR}/corpus/${name})
  set_tests_properties(fuzz/${name} PROPERTIES ENVIRONMENT "${KETAB_TEST_ENV}" TIMEOUT 300)
  if(KETAB_FUZZ)
    add_executable(fuzz_${name} ${src})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    list(APPEND targets fuzz_${name})
  endif()
  foreach(t ${targets})
    target_link_libraries(${t} PRIVATE ketab_core)
    target_include_directories(${t} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    set_target_properties(${t} PROPERTIES AUTOMOC OFF)
    if(name STREQUAL "xaudio")
      # The component reads its records from the stand-in library of the player's tests.
      add_dependencies(${t} fake_xaudio)
      target_compile_definitions(${t} PRIVATE KETAB_FAKE_XAUDIO_DIR="$<TARGET_FILE_DIR:fake_xaudio>")
    endif()
  endforeach()
endforeach()
