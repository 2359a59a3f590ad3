# The release zip, made by `cmake --build <tree> --target package`: a folder KAVO with KAVO.exe,
# the manual and a short Japanese read-me. The user unzips it and starts KAVO.exe there; that
# folder then holds the data files too. The folder's name carries no version, so a newer zip
# unpacked over it replaces the program and the manual and leaves the data files, which the zip
# never holds, as they are.

set(KAVO_PACKAGE_FOLDER KAVO)
install(TARGETS KAVO RUNTIME DESTINATION ${KAVO_PACKAGE_FOLDER})
if(KAVO_MANUAL)
    install(FILES ${KAVO_MANUAL_PDF} DESTINATION ${KAVO_PACKAGE_FOLDER})
endif()

# The read-me carries the version; Notepad reads it right on every Windows with the UTF-8 mark
# and CR LF line ends.
configure_file(${CMAKE_SOURCE_DIR}/docs/package/README_ja.txt ${CMAKE_BINARY_DIR}/README_ja.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README_ja.txt DESTINATION ${KAVO_PACKAGE_FOLDER})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(KAVO_PACKAGE_PLATFORM win64)
else()
    set(KAVO_PACKAGE_PLATFORM win32)
endif()
# Kept apart from the CPACK_ variables, which include(CPack) reuses for its source package. The
# zip's own name keeps the version, for the downloads page and the user's own archive.
set(KAVO_PACKAGE_FILE_NAME KAVO-${PROJECT_VERSION}-${KAVO_PACKAGE_PLATFORM})
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KAVO)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${KAVO_PACKAGE_FILE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
