# Copy engine tests on the in-memory file system.
stowkeep_test(copy_engine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_stop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_walk_test.cpp
  LIBS stowkeep_backup_copy stowkeep_platform_fake)
