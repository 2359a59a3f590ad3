# The release zip, made by `cmake --build <tree> --target package`: a folder
# KAVO-<version>-win64 with KAVO.exe, the manual and a short Japanese read-me. The user unzips
# it and starts KAVO.exe there; that folder then holds the data files too.

install(TARGETS KAVO RUNTIME DESTINATION .)
if(KAVO_MANUAL)
    install(FILES ${KAVO_MANUAL_PDF} DESTINATION .)
endif()

# The read-me carries the version; Notepad reads it right on every Windows with the UTF-8 mark
# and CR LF line ends.
configure_file(${CMAKE_SOURCE_DIR}/docs/package/README_ja.txt ${CMAKE_BINARY_DIR}/README_ja.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README_ja.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(KAVO_PACKAGE_PLATFORM win64)
else()
    set(KAVO_PACKAGE_PLATFORM win32)
endif()
# Kept apart from the CPACK_ variables, which include(CPack) reuses for its source package.
set(KAVO_PACKAGE_FILE_NAME KAVO-${PROJECT_VERSION}-${KAVO_PACKAGE_PLATFORM})
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KAVO)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${KAVO_PACKAGE_FILE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
