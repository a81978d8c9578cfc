# The Windows program's two packages, made with every cross build
# (scripts/cross-build.sh) beside the build folder's app/:
#
#   QuorVex-<version>.msi  the installer: per user, no administrator prompt
#                          (resources/windows/QuorVex.wxs.in, built by wixl,
#                          Debian package wixl)
#   QuorVex-<version>.zip  for those who want no installer: the program, its
#                          help and a short read-me
#
# <version> is the project's, as in the program's version information.
# One of another version, for trying an upgrade, is made from the same files
# with cmake -DVERSION=X.Y.Z -P <build>/packaging/BuildMsi.cmake.
if(NOT TARGET QuorVex)
  return()
endif()

set(pkg_dir ${CMAKE_BINARY_DIR}/packaging)
# What ties every version of the installer together, so a later one
# replaces an earlier one: never to be changed.
set(QUORVEX_UPGRADE_CODE DA5D2A56-8F0B-4E7C-8B92-EEA54F64D6E8)
set(help ${PROJECT_SOURCE_DIR}/resources/help/QuorVex.html)
set(icon ${PROJECT_SOURCE_DIR}/resources/windows/QuorVex.ico)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/QuorVex.wxs.in ${pkg_dir}/QuorVex.wxs @ONLY)
# The read-me of the zip, in the line endings Notepad has always shown.
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/ReadMe.txt.in ${pkg_dir}/ReadMe.txt @ONLY NEWLINE_STYLE CRLF)

# What both packages hold, gathered in packaging/files/ (wixl finds files
# only by paths relative to the folder it runs in).
set(files ${pkg_dir}/files)
set(staged ${files}/QuorVex.exe ${files}/QuorVex.html ${files}/ReadMe.txt ${files}/QuorVex.ico)
add_custom_command(OUTPUT ${staged}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${files}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:QuorVex> ${help} ${pkg_dir}/ReadMe.txt ${icon} ${files}
  DEPENDS QuorVex ${help} ${pkg_dir}/ReadMe.txt ${icon}
  VERBATIM)
# One target gathers them, before either package is made from them.
add_custom_target(package_files DEPENDS ${staged})

set(zip ${CMAKE_BINARY_DIR}/QuorVex-${PROJECT_VERSION}.zip)
add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip QuorVex.exe QuorVex.html ReadMe.txt
  WORKING_DIRECTORY ${files}
  DEPENDS ${staged}
  COMMENT "Packing QuorVex-${PROJECT_VERSION}.zip"
  VERBATIM)
add_custom_target(package_zip ALL DEPENDS ${zip})
add_dependencies(package_zip package_files)

# The installer (wixl, and msibuild of msitools for one fix; scripts/deps.sh
# cross installs both).
find_program(QUORVEX_WIXL wixl)
find_program(QUORVEX_MSIBUILD msibuild)
if(NOT QUORVEX_WIXL OR NOT QUORVEX_MSIBUILD)
  message(STATUS "wixl or msibuild was not found (Debian packages wixl and msitools): "
                 "no QuorVex-${PROJECT_VERSION}.msi")
  return()
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildMsi.cmake.in ${pkg_dir}/BuildMsi.cmake @ONLY)
set(msi ${CMAKE_BINARY_DIR}/QuorVex-${PROJECT_VERSION}.msi)
add_custom_command(OUTPUT ${msi}
  COMMAND ${CMAKE_COMMAND} -P ${pkg_dir}/BuildMsi.cmake
  DEPENDS ${staged} ${pkg_dir}/QuorVex.wxs ${pkg_dir}/BuildMsi.cmake
  COMMENT "Building QuorVex-${PROJECT_VERSION}.msi"
  VERBATIM)
add_custom_target(package_msi ALL DEPENDS ${msi})
add_dependencies(package_msi package_files)
