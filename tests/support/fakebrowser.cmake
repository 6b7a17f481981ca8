# Stands in for the web browser in sign-in tests (see FakeBrowser.h).
add_library(tallyfern_fakebrowser STATIC ${CMAKE_CURRENT_LIST_DIR}/FakeBrowser.h)
set_target_properties(tallyfern_fakebrowser PROPERTIES LINKER_LANGUAGE CXX)
target_include_directories(tallyfern_fakebrowser PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tallyfern_fakebrowser PUBLIC Qt6::Core Qt6::Gui Qt6::Network Qt6::Test)
