# Checks that run programs or scripts rather than the test binary.

# The committed pictures are the art generator's output (only where the
# generator is built, i.e. where cairo and pango are installed).
if(TARGET quorvex_artgen)
  add_test(NAME art_regenerates_identically
    COMMAND ${CMAKE_COMMAND}
      -DARTGEN=$<TARGET_FILE:quorvex_artgen>
      -DRESOURCES=${PROJECT_SOURCE_DIR}/resources
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/art_regen
      -P ${PROJECT_SOURCE_DIR}/tools/ArtRegenCheck.cmake)
endif()
