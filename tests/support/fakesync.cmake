# A fake sync web service (store, change log, opaque cursors, fault injection)
# on the in-process HTTP server.
add_library(tallyfern_fakesync STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FakeSyncServer.h
    ${CMAKE_CURRENT_LIST_DIR}/FakeSyncServer.cpp)
target_include_directories(tallyfern_fakesync PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallyfern_fakesync PUBLIC tallyfern_fakehttp Qt6::Core Qt6::Network)
