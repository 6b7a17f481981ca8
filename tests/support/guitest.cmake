# Widget tests: the application state on a fresh data directory, and a helper
# that answers modal dialogs as they open.
if(TARGET tallyfern_ui AND TARGET tallyfern_app)
    add_library(tallyfern_guitest STATIC
        ${CMAKE_CURRENT_LIST_DIR}/ModalAnswerer.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ModalAnswerer.h
        ${CMAKE_CURRENT_LIST_DIR}/TestApp.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TestApp.h)
    target_include_directories(tallyfern_guitest PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(tallyfern_guitest PUBLIC tallyfern_ui tallyfern_app tallyfern_testdb Qt6::Widgets Qt6::Sql Qt6::Test)
endif()
