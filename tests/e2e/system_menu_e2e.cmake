# Wine runs the recording stand-ins in the system folder instead of its builtins only when
# the (Unix) environment asks for it; children inherit it.
glowmere_e2e_test(system_menu_e2e system_menu_e2e)
set_property(TEST system_menu_e2e APPEND PROPERTY ENVIRONMENT "WINEDLLOVERRIDES=control.exe,explorer.exe,mblctr.exe=n,b")
