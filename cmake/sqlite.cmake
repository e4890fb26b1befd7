# SQLite from its release source (scripts/fetch-sqlite), as a static library.
set(TALVIK_SQLITE_DIR ${CMAKE_SOURCE_DIR}/.deps/sqlite CACHE PATH "Folder holding sqlite3.c and sqlite3.h")
if(NOT EXISTS ${TALVIK_SQLITE_DIR}/sqlite3.c)
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-sqlite ${TALVIK_SQLITE_DIR} RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0)
    message(FATAL_ERROR "SQLite could not be fetched (scripts/fetch-sqlite)")
  endif()
endif()
add_library(sqlite3 STATIC ${TALVIK_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${TALVIK_SQLITE_DIR})
# Only reading cookie databases: no extensions, one thread per connection, no
# memory statistics.
target_compile_definitions(sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=0
  SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_DQS=0 SQLITE_OMIT_DEPRECATED SQLITE_WIN32_NO_ANSI)
target_compile_options(sqlite3 PRIVATE -O2 -w)
