# The release of tikvan.exe: its version resource, a link that gives the same
# bytes on every build, and the zip that `--target package` makes with CPack:
# tikvan-<version>-win32.zip holding the folder tikvan-<version>-win32 with
# tikvan.exe, the Windows user's README in English and Japanese, the Windows
# manual, the changelog, the licence and the recipes in examples\.

configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${CMAKE_BINARY_DIR}/generated/version.rc @ONLY)
target_sources(tikvan PRIVATE ${CMAKE_BINARY_DIR}/generated/version.rc)

# The texts a Windows user opens in Notepad have CR LF line ends; those of
# release/, some of which hold Japanese, start with UTF-8's byte order mark,
# which every Notepad takes for UTF-8. The licence is LICENSE.txt, so that a
# double click opens it.
set(zip_texts ${CMAKE_BINARY_DIR}/zip)
string(ASCII 239 187 191 byte_order_mark)  # EF BB BF
foreach(name README.txt README.ja.txt MANUAL.txt CHANGES.txt)
  file(READ ${CMAKE_SOURCE_DIR}/release/${name} text)
  file(CONFIGURE OUTPUT ${zip_texts}/${name} CONTENT "${byte_order_mark}${text}" @ONLY NEWLINE_STYLE CRLF)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/release/${name})
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${zip_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The zip's files, all in one component. What the install step makes itself,
# the folder of the recipes, gets fixed permissions, not those of the umask.
file(GLOB recipes ${CMAKE_SOURCE_DIR}/examples/*.cmd)
install(TARGETS tikvan RUNTIME DESTINATION . COMPONENT release)
install(FILES ${zip_texts}/README.txt ${zip_texts}/README.ja.txt ${zip_texts}/MANUAL.txt ${zip_texts}/CHANGES.txt
  ${zip_texts}/LICENSE.txt DESTINATION . COMPONENT release)
install(FILES ${recipes} DESTINATION examples COMPONENT release)
install(CODE [[
  file(CHMOD "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/examples" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
]] COMPONENT release)

# One zip whose files lie in one folder, tikvan-<version>-win32, and beside
# it the zip's SHA-256 in tikvan-<version>-win32.zip.sha256. CPack packs the files of a component in
# sorted order, and those of a plain install in the order the file system
# lists them, so the files go in as a component: the zip's entry order is
# then the same on every machine. Its times: package_time.cmake.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL release)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_time.cmake)
include(CPack)
