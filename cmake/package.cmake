# The release of tikvan.exe: its version resource, a link that gives the same
# bytes on every build, and the zip that `--target package` makes with CPack:
# tikvan-<version>-win32.zip holding tikvan.exe, README.md, LICENSE and
# SHA256SUMS (the sha256sum lines of the other three).

configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${CMAKE_BINARY_DIR}/generated/version.rc @ONLY)
target_sources(tikvan PRIVATE ${CMAKE_BINARY_DIR}/generated/version.rc)

# No link time in the PE header.
target_link_options(tikvan PRIVATE -Wl,--no-insert-timestamp)

# The zip's files, all in one component, with SHA256SUMS written after the
# other three are in place.
install(TARGETS tikvan RUNTIME DESTINATION . COMPONENT release)
install(FILES LICENSE README.md DESTINATION . COMPONENT release)
install(CODE [[
  set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(sums "")
  foreach(name IN ITEMS LICENSE README.md tikvan.exe)
    file(SHA256 "${dir}/${name}" hash)
    string(APPEND sums "${hash}  ${name}\n")
  endforeach()
  file(WRITE "${dir}/SHA256SUMS" "${sums}")
  file(CHMOD "${dir}/SHA256SUMS" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
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
