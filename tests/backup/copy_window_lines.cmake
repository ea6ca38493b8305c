# The copy window's job line and file path with long paths.
if(TARGET stowkeep_ui_headless)
  stowkeep_test(backup_copy_window_lines_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/copy_window_lines_test.cpp
    LIBS stowkeep_backup stowkeep_ui_headless stowkeep_platform_fake)
endif()
