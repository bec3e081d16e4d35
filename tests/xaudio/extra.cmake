# Stand-ins for the decoder library, each with a different version entry:
# fake_xaudio (3.8 through xaudio_get_version), fake_xaudio_api (3.8 through
# xaudio_get_api_version only), fake_xaudio_noversion (none), fake_xaudio_old (3.7).
set(KETAB_FAKE_XAUDIO_DIR ${CMAKE_CURRENT_BINARY_DIR}/fake_xaudio)
foreach(variant "fake_xaudio;1;0x030800" "fake_xaudio_api;2;0x030800" "fake_xaudio_noversion;0;0" "fake_xaudio_old;1;0x030700")
  list(GET variant 0 name)
  list(GET variant 1 entry)
  list(GET variant 2 version)
  add_library(${name} SHARED ${CMAKE_CURRENT_LIST_DIR}/FakeXAudio.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_definitions(${name} PRIVATE FAKE_VERSION_ENTRY=${entry} FAKE_VERSION=${version})
  target_link_libraries(${name} PRIVATE Threads::Threads ketab_sanitizers)
  set_target_properties(${name} PROPERTIES PREFIX "" AUTOMOC OFF CXX_VISIBILITY_PRESET hidden
    LIBRARY_OUTPUT_DIRECTORY ${KETAB_FAKE_XAUDIO_DIR})
  list(APPEND KETAB_FAKE_XAUDIO_TARGETS ${name})
endforeach()

find_library(KETAB_LAME_LIBRARY mp3lame REQUIRED)

# The component and the per-section music are tested against the stand-ins; the
# real library is tested with its silent output and tracks made by the encoder.
foreach(t test_xaudio_tst_XAPlayer test_reader_tst_SectionMusic test_reader_tst_readingwindow)
  if(TARGET ${t})
    add_dependencies(${t} ${KETAB_FAKE_XAUDIO_TARGETS})
    target_compile_definitions(${t} PRIVATE KETAB_FAKE_XAUDIO_DIR="${KETAB_FAKE_XAUDIO_DIR}")
  endif()
endforeach()
if(TARGET test_xaudio_tst_XAudioLibrary)
  add_dependencies(test_xaudio_tst_XAudioLibrary xaudio)
  target_link_libraries(test_xaudio_tst_XAudioLibrary PRIVATE ${KETAB_LAME_LIBRARY})
  target_compile_definitions(test_xaudio_tst_XAudioLibrary PRIVATE KETAB_XAUDIO_LIBRARY="$<TARGET_FILE:xaudio>")
  set_property(TEST xaudio/tst_XAudioLibrary APPEND PROPERTY ENVIRONMENT "XAUDIO_OUTPUT=silent")
endif()
