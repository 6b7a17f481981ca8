# A fake of the authentication and account web services (user, sessions, profile,
# devices, group) with in-memory state, on the in-process HTTP server.
add_library(tallyfern_fakeaccount STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FakeAccountServer.h
    ${CMAKE_CURRENT_LIST_DIR}/FakeAccountServer.cpp)
target_include_directories(tallyfern_fakeaccount PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The tokens it issues come from the account tests' token maker, which reads the library's headers.
target_link_libraries(tallyfern_fakeaccount PUBLIC tallyfern_fakehttp brioaccount Qt6::Core Qt6::Network)
