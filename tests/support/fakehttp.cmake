# In-process HTTP/1.1 server that records requests and answers from a script;
# the fake for every web service the clients talk to.
add_library(tallyfern_fakehttp STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FakeHttpServer.h
    ${CMAKE_CURRENT_LIST_DIR}/FakeHttpServer.cpp)
target_include_directories(tallyfern_fakehttp PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tallyfern_fakehttp PUBLIC Qt6::Core Qt6::Network)
# Its own wire behaviour, which every client test relies on.
tallyfern_add_test(test_fake_http_server SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestFakeHttpServer.cpp
    LIBS tallyfern_fakehttp)
