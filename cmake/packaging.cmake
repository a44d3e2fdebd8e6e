# The package is the install directory itself, ready to unpack: both programs, README.txt and
# the empty working directories the programs expect beside them. Windows builds make a ZIP,
# other builds a .tar.gz with the same layout. The release packages are made from these same
# install rules by scripts/release.sh, which gives every entry the commit's time and a fixed
# owner and mode: CPack here stamps each entry with its file's time.

install(TARGETS setup wizard RUNTIME DESTINATION .)
# README.txt is read with the platform's own editor, so it gets the platform's line ends. The
# Windows text speaks of Windows; the other one of Wine, which runs the batch file there.
if(WIN32)
  set(readme_source README.txt)
  set(readme_line_ends CRLF)
else()
  set(readme_source README-posix.txt)
  set(readme_line_ends UNIX)
endif()
configure_file(${PROJECT_SOURCE_DIR}/package/${readme_source} ${PROJECT_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE ${readme_line_ends})
install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION .)

# Archives drop directories that nothing is installed into, so each is named on its own.
foreach(working_directory input temp output progs nandub)
  install(DIRECTORY DESTINATION ${working_directory})
endforeach()

set(CPACK_PACKAGE_NAME kelvarro)
set(CPACK_PACKAGE_VENDOR kelvarro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Prepares the conversion of a DVD movie into an AVI file with MP3 sound")
set(CPACK_RESOURCE_FILE_README ${PROJECT_BINARY_DIR}/package/README.txt)
# The archive's root is the install directory: its entries unpack straight into the directory
# the user chose.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# What users unpack needs no symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()

include(CPack)
