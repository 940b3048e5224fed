# Runs the menu code inside the test program: link the Windows layer itself, and the icon.
target_link_libraries(menus_inprocess_e2e PRIVATE glowmere_win32)
target_sources(menus_inprocess_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/e2e/menus_inprocess_e2e.rc)
target_include_directories(menus_inprocess_e2e PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
glowmere_e2e_test(menus_inprocess_e2e menus_inprocess_e2e)
