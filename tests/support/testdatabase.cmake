# A fresh data directory with a real migrated database for each test case.
add_library(tallyfern_testdb STATIC
    ${CMAKE_CURRENT_LIST_DIR}/TestDatabase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestDatabase.h
    ${CMAKE_CURRENT_LIST_DIR}/TestRecords.h)
target_include_directories(tallyfern_testdb PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallyfern_testdb PUBLIC tallyfern_core Qt6::Core Qt6::Sql)
