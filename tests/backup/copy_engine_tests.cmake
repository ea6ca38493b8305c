# Copy engine tests on the in-memory file system.
stowkeep_test(copy_engine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_stop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_walk_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_fault_matrix_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_temporaries_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_calls_test.cpp
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

# A real backup on the Win32 file system, run under Wine: a few thousand
# files, a 200 MB file and a file held open by another process.
if(WIN32)
  add_executable(copy_engine_real_backup_test ${CMAKE_CURRENT_LIST_DIR}/copy_engine_real_backup_test.cpp)
  target_link_libraries(copy_engine_real_backup_test PRIVATE
    stowkeep_backup_copy stowkeep_platform_win32 GTest::gtest GTest::gmock)
  target_link_options(copy_engine_real_backup_test PRIVATE -municode)
  stowkeep_warnings(copy_engine_real_backup_test)
  add_test(NAME copy_engine_real_backup_test COMMAND copy_engine_real_backup_test)
  set_tests_properties(copy_engine_real_backup_test PROPERTIES LABELS "wine-slow" TIMEOUT 900)
endif()
