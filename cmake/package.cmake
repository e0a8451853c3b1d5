# The release of tikvan.exe: its version resource, a link that gives the same
# bytes on every build, and the zip that `--target package` makes with CPack:
# tikvan-<version>-win32.zip holding tikvan.exe, the Windows user's
# README.txt, the manual as tikvan.html, the recipes in examples\, LICENSE
# and SHA256SUMS (the sha256sum lines of all the other files).

configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${CMAKE_BINARY_DIR}/generated/version.rc @ONLY)
target_sources(tikvan PRIVATE ${CMAKE_BINARY_DIR}/generated/version.rc)

# The texts a Windows user opens in Notepad have CR LF line ends; the README,
# which is English and Japanese, starts with UTF-8's byte order mark, which
# every Notepad takes for UTF-8.
set(zip_texts ${CMAKE_BINARY_DIR}/zip)
file(READ ${CMAKE_SOURCE_DIR}/release/README.txt readme)
string(ASCII 239 187 191 byte_order_mark)  # EF BB BF
file(CONFIGURE OUTPUT ${zip_texts}/README.txt CONTENT "${byte_order_mark}${readme}" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/release/README.txt)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${zip_texts}/LICENSE @ONLY NEWLINE_STYLE CRLF)

# The manual page as HTML, by mandoc, which stops the build on a warning.
find_program(MANDOC mandoc REQUIRED)
add_custom_command(OUTPUT ${zip_texts}/tikvan.html
  COMMAND ${MANDOC} -T html -W warning ${CMAKE_SOURCE_DIR}/man/tikvan.1 > ${zip_texts}/tikvan.html
  DEPENDS ${CMAKE_SOURCE_DIR}/man/tikvan.1)
add_custom_target(manual_html ALL DEPENDS ${zip_texts}/tikvan.html)

# The zip's files, all in one component, with SHA256SUMS written after the
# others are in place. What the install step makes itself, SHA256SUMS and the
# folder of the recipes, gets fixed permissions, not those of the umask.
file(GLOB recipes ${CMAKE_SOURCE_DIR}/examples/*.cmd)
install(TARGETS tikvan RUNTIME DESTINATION . COMPONENT release)
install(FILES ${zip_texts}/README.txt ${zip_texts}/LICENSE ${zip_texts}/tikvan.html DESTINATION . COMPONENT release)
install(FILES ${recipes} DESTINATION examples COMPONENT release)
install(CODE [[
  set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE names LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
  list(REMOVE_ITEM names SHA256SUMS)
  list(SORT names)
  set(sums "")
  foreach(name IN LISTS names)
    file(SHA256 "${dir}/${name}" hash)
    string(APPEND sums "${hash}  ${name}\n")
  endforeach()
  file(WRITE "${dir}/SHA256SUMS" "${sums}")
  file(CHMOD "${dir}/SHA256SUMS" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(CHMOD "${dir}/examples" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
]] COMPONENT release)

# One zip with the files at its top. CPack packs the files of a component in
# sorted order, and those of a plain install in the order the file system
# lists them, so the files go in as a component: the zip's entry order is
# then the same on every machine. Its times: package_time.cmake.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL release)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package_time.cmake)
include(CPack)
