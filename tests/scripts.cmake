# Checks that run programs or scripts rather than the test binary.

# The committed pictures are the art generator's output. Checked only where
# the generator is built (cairo and pango installed) and the fonts it
# letters with are installed too; without them it would refuse to run.
if(TARGET quorvex_artgen)
  find_program(QUORVEX_FC_LIST fc-list)
  set(art_fonts_present TRUE)
  foreach(family "Dancing Script" "Lato" "DejaVu Sans")
    if(QUORVEX_FC_LIST)
      execute_process(COMMAND ${QUORVEX_FC_LIST} "${family}" family
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    else()
      set(found "")
    endif()
    if(found STREQUAL "")
      set(art_fonts_present FALSE)
      message(STATUS "font ${family} missing: the art regeneration check is not registered")
    endif()
  endforeach()
  if(art_fonts_present)
    add_test(NAME art_regenerates_identically
      COMMAND ${CMAKE_COMMAND}
        -DARTGEN=$<TARGET_FILE:quorvex_artgen>
        -DRESOURCES=${PROJECT_SOURCE_DIR}/resources
        -DWORK=${CMAKE_CURRENT_BINARY_DIR}/art_regen
        -P ${PROJECT_SOURCE_DIR}/tools/ArtRegenCheck.cmake)
  endif()
endif()
