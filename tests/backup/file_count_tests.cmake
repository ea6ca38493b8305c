# File counter tests; the threads label runs them under ThreadSanitizer too.
stowkeep_test(file_count_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/copy_engine_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_count_test.cpp
  LIBS stowkeep_backup_copy stowkeep_platform_fake
  LABELS threads)
