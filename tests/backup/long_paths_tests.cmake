# Paths past MAX_PATH: the in-memory side's limits, and the file seam and a
# backup of a deep tree on the in-memory side and (Windows build, under Wine)
# on the Win32 side.
set(long_path_libs stowkeep_backup_copy stowkeep_platform_fake)
if(WIN32)
  list(APPEND long_path_libs stowkeep_platform_win32)
endif()
stowkeep_test(long_paths_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/fake_path_limits_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/deep_tree_test.cpp
  LIBS ${long_path_libs})

# The backup page and run with a job deeper than MAX_PATH.
if(TARGET stowkeep_ui_headless)
  stowkeep_test(backup_deep_job_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/deep_job_test.cpp
    LIBS stowkeep_backup stowkeep_ui_headless stowkeep_platform_fake)
endif()
