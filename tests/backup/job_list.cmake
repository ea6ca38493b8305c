# The backup page's job list, the Backup command with its copy window, and the
# one-touch watcher.
stowkeep_test(backup_folder_name_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/folder_name_test.cpp
  LIBS stowkeep_backup)

if(TARGET stowkeep_ui_headless)
  stowkeep_test(backup_job_list_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/job_list_test.cpp
    LIBS stowkeep_backup stowkeep_ui_headless stowkeep_platform_fake)
  stowkeep_test(backup_run_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/backup_run_test.cpp
    LIBS stowkeep_backup stowkeep_ui_headless stowkeep_platform_fake)
  stowkeep_test(backup_one_touch_reaction_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/one_touch_reaction_test.cpp
    LIBS stowkeep_backup stowkeep_ui_headless stowkeep_platform_fake
    LABELS threads)
  set_tests_properties(backup_one_touch_reaction_test PROPERTIES TIMEOUT 120)
endif()

stowkeep_test(backup_one_touch_watcher_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/one_touch_watcher_test.cpp
  LIBS stowkeep_backup
  LABELS threads)
# A deadlock between Exit and the watcher shows as a hang; both programs fail
# it early.
set_tests_properties(backup_one_touch_watcher_test PROPERTIES TIMEOUT 120)

# The backup page and the copy window on the Win32 toolkit, for screenshots.
if(WIN32 AND TARGET stowkeep_ui_win32)
  add_executable(backup_screens WIN32 ${CMAKE_CURRENT_LIST_DIR}/backup_screens.cpp)
  target_link_libraries(backup_screens PRIVATE stowkeep_backup stowkeep_ui_win32
                        stowkeep_platform_fake)
  target_link_options(backup_screens PRIVATE -municode)
  stowkeep_warnings(backup_screens)
endif()
