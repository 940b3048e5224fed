# Runs the menu code inside the test program: link the Windows layer itself.
target_link_libraries(menus_inprocess_e2e PRIVATE glowmere_win32)
glowmere_e2e_test(menus_inprocess_e2e menus_inprocess_e2e)
