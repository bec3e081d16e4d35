# The reading window's creation with a player that cannot be made: the test runs from a
# folder of its own that holds the stand-in decoder library under the library's own name,
# so the window's real start-up loads it, and the HTML view's engine module.
if(TARGET test_reader_tst_failedstart)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/failedstart)
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${KETAB_BOOK_DIR}/htmlengine.so ${dir}/htmlengine.so SYMBOLIC)
  set_target_properties(test_reader_tst_failedstart PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${dir})
  add_dependencies(test_reader_tst_failedstart fake_xaudio)
  add_custom_command(TARGET test_reader_tst_failedstart POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fake_xaudio> ${dir}/xaudio.so)
endif()
