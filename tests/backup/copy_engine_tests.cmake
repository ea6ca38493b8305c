# Copy engine tests on the in-memory file system.
stowkeep_test(copy_engine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_stop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_walk_test.cpp
  LIBS stowkeep_backup_copy stowkeep_platform_fake)

# The file seam, the same cases against the in-memory side and (Windows
# build, under Wine) the Win32 side.
set(file_seam_libs stowkeep_platform_fake)
if(WIN32)
  list(APPEND file_seam_libs stowkeep_platform_win32)
endif()
stowkeep_test(copy_engine_file_seam_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/copy_engine_file_seam_test.cpp
  LIBS ${file_seam_libs})
