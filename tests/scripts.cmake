# Shell-level tests: the Linux desktop program in a real X server.

# The pure parts of the SDL backend (keys, double clicks, shapes, help);
# the test lives with the backend, the one folder that sees SDL headers.
if(TARGET quorvex_platform_sdl)
  find_package(SDL2 REQUIRED)  # the key codes the tests name
  add_executable(quorvex_sdl_tests ${PROJECT_SOURCE_DIR}/platform/sdl/tests/SdlBackend_test.cpp)
  target_link_libraries(quorvex_sdl_tests PRIVATE quorvex_platform_sdl SDL2::SDL2 GTest::gtest GTest::gtest_main)
  gtest_discover_tests(quorvex_sdl_tests DISCOVERY_TIMEOUT 60)
endif()

# The software-centre metainfo as this build installs it, where appstreamcli
# is installed (the appstream package); offline, so a screenshot address,
# when the build names one, is not fetched.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  add_test(NAME appstream_metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${QUORVEX_METAINFO})
endif()
# Without a published screenshot (QUORVEX_SCREENSHOT_URL) it names no
# address at all, so nothing in it can point where nothing is.
if(NOT QUORVEX_SCREENSHOT_URL)
  add_test(NAME appstream_metainfo_names_no_address
           COMMAND sh -c "! grep -n '://' \"$1\"" sh ${QUORVEX_METAINFO})
endif()

# The game itself under Xvfb, driven by xdotool (scripts/deps.sh test
# installs both, and ImageMagick, which reads the screen).
if(TARGET quorvex)
  add_executable(quorvex_gui_probe ${CMAKE_CURRENT_SOURCE_DIR}/gui/GuiProbe.cpp)
  target_link_libraries(quorvex_gui_probe PRIVATE quorvex_resources quorvex_game quorvex_util)
  target_include_directories(quorvex_gui_probe PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME gui_smoke
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/gui/smoke.sh $<TARGET_FILE:quorvex> $<TARGET_FILE:quorvex_gui_probe>)
  # One X server and the pointer are shared by the whole test: never in
  # parallel with another GUI test.
  set_tests_properties(gui_smoke PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
  # The same program drawn at scale 2 on a bigger screen.
  add_test(NAME gui_scale
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/gui/scale.sh $<TARGET_FILE:quorvex> $<TARGET_FILE:quorvex_gui_probe>)
  set_tests_properties(gui_scale PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
endif()
