# End-to-end tests: the real Glowmere.exe driven by Win32 test programs under Wine, inside an
# X server and Wine prefix that the test run starts (wine_env_start) and stops itself.
set(E2E_STATE ${CMAKE_BINARY_DIR}/e2e-env)
set(GLOWMERE_WITH_ENV ${CMAKE_CURRENT_SOURCE_DIR}/e2e/with_env.sh ${E2E_STATE})
set(E2E_ARCH win32)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(E2E_ARCH win64)
endif()
add_test(NAME wine_env_start COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_env.sh start ${E2E_STATE} ${E2E_ARCH})
set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine_env TIMEOUT 600)
add_test(NAME wine_env_stop COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_env.sh stop ${E2E_STATE})
set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine_env TIMEOUT 120)

add_library(e2e_harness STATIC ${CMAKE_CURRENT_SOURCE_DIR}/e2e/harness/harness.cpp)
target_include_directories(e2e_harness PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/e2e/harness ${CMAKE_SOURCE_DIR}/src
                                              ${CMAKE_BINARY_DIR}/generated)
target_compile_definitions(e2e_harness PUBLIC UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601
                                              GLOWMERE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(e2e_harness PUBLIC gtest comctl32 shell32 advapi32 gdi32 user32)
# A stand-in for system programs that records how it was started.
add_executable(record_start ${CMAKE_CURRENT_SOURCE_DIR}/e2e/helpers/record_start.cpp)
target_link_options(record_start PRIVATE -static -municode)
# Chooses a menu command in the running program, for screenshots of what it opens.
add_executable(post_command ${CMAKE_SOURCE_DIR}/tools/post_command.cpp)
target_link_options(post_command PRIVATE -static -municode)

# One program per tests/e2e/<name>_e2e.cpp; they run one at a time (one instance per session).
# The command runs the test program under Wine inside the test run's X server and prefix.
function(glowmere_e2e_test test_name)
  add_test(NAME ${test_name} COMMAND ${ARGN})
  string(REPLACE "/" "\\" bin "Z:${CMAKE_BINARY_DIR}/bin")
  set_tests_properties(${test_name} PROPERTIES FIXTURES_REQUIRED wine_env RUN_SERIAL ON TIMEOUT 900 ENVIRONMENT
      "GLOWMERE_EXE=${bin}\\Glowmere.exe;GLOWMERE_RECORDER=${bin}\\record_start.exe;GLOWMERE_E2E_STATE=${E2E_STATE}")
endfunction()
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e/*_e2e.cpp)
# Programs that need more than one plain run (a locale, a script around them, a gtest filter
# per entry) get their tests below instead: a program added here needs its entries there.
set(E2E_REGISTERED_BELOW language_e2e dpi_e2e displays_e2e)
foreach(src ${E2E_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE e2e_harness gtest_main)
  target_link_options(${name} PRIVATE -static)
  add_dependencies(${name} Glowmere record_start)
  if(NOT name IN_LIST E2E_REGISTERED_BELOW)
    glowmere_e2e_test(${name} ${GLOWMERE_WITH_ENV} wine $<TARGET_FILE:${name}>)
  endif()
endforeach()
# Wine takes the user language from the Unix locale of the test program: one entry per locale.
glowmere_e2e_test(language_e2e ${GLOWMERE_WITH_ENV} wine $<TARGET_FILE:language_e2e> --gtest_filter=Language.*)
glowmere_e2e_test(language_german_e2e ${GLOWMERE_WITH_ENV} wine $<TARGET_FILE:language_e2e>
                  --gtest_filter=LanguageUnderGermanLocale.*)
set_property(TEST language_german_e2e APPEND PROPERTY ENVIRONMENT "GLOWMERE_TEST_LOCALE=de_DE.UTF-8")
# The DPI test changes the prefix's DPI between runs of its program, and puts 96 back.
glowmere_e2e_test(dpi_e2e ${CMAKE_CURRENT_SOURCE_DIR}/e2e/dpi_e2e.sh ${E2E_STATE} $<TARGET_FILE:dpi_e2e>)
set_tests_properties(dpi_e2e PROPERTIES TIMEOUT 1800)
target_link_libraries(dpi_e2e PRIVATE glowmere_win32)
target_sources(dpi_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/e2e/dpi_e2e.rc)
target_include_directories(dpi_e2e PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
# Levels per display: with the usual single display, and with a second X output for the
# test's run only (two_displays.sh puts the single display back, also on failure).
glowmere_e2e_test(displays_single_e2e ${GLOWMERE_WITH_ENV} wine $<TARGET_FILE:displays_e2e>
                  --gtest_filter=SingleDisplay.*)
glowmere_e2e_test(displays_two_e2e ${CMAKE_CURRENT_SOURCE_DIR}/e2e/two_displays.sh ${E2E_STATE}
                  wine $<TARGET_FILE:displays_e2e> --gtest_filter=TwoDisplays.*)
# After it, so that the single display it puts back is checked as well.
set_tests_properties(displays_single_e2e PROPERTIES DEPENDS displays_two_e2e)
# Runs the menu code inside the test program: links the Windows layer itself, and the icon.
target_link_libraries(menus_inprocess_e2e PRIVATE glowmere_win32)
target_sources(menus_inprocess_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/e2e/menus_inprocess_e2e.rc)
target_include_directories(menus_inprocess_e2e PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
# The night-mode dialog inside the test program: the Windows layer, and the dialog's template with
# the manifest and the language archive, as Glowmere.exe carries them.
target_link_libraries(night_dialog_inprocess_e2e PRIVATE glowmere_win32)
target_sources(night_dialog_inprocess_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/e2e/night_dialog_inprocess_e2e.rc)
target_include_directories(night_dialog_inprocess_e2e PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/e2e/night_dialog_inprocess_e2e.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/res/night_dialog.rc;${CMAKE_SOURCE_DIR}/src/res/resource_ids.h;${CMAKE_SOURCE_DIR}/src/res/glowmere.manifest")
glowmere_embed_language_archive(night_dialog_inprocess_e2e ${CMAKE_CURRENT_SOURCE_DIR}/e2e/night_dialog_inprocess_e2e.rc
                                ${CMAKE_BINARY_DIR}/generated/lang_archive.bin ${GLOWMERE_HOST_BIN})
# A known time zone outside the European site's, for the uninstall page's address.
set_property(TEST extras_e2e APPEND PROPERTY ENVIRONMENT "TZ=America/Chicago")
# Wine runs the recording stand-ins in the system folder instead of its builtins only when
# the (Unix) environment asks for it; children inherit it.
set_property(TEST system_menu_e2e APPEND PROPERTY
             ENVIRONMENT "WINEDLLOVERRIDES=control.exe,explorer.exe,mblctr.exe=n,b")

# Start-up benchmark (not a test): tools/bench-startup.sh runs it.
add_executable(min_dialog WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/startup/min_dialog.cpp
                                ${CMAKE_SOURCE_DIR}/tests/bench/startup/min_dialog.rc)
target_include_directories(min_dialog PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
target_link_libraries(min_dialog PRIVATE comctl32)
target_link_options(min_dialog PRIVATE -static -municode -mwindows)
add_executable(startup_bench ${CMAKE_SOURCE_DIR}/tests/bench/startup/startup_bench.cpp)
target_link_options(startup_bench PRIVATE -static -municode)
target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR}/src/res)
