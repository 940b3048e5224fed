# placeholder
set(GLOWMERE_WITH_ENV ${CMAKE_CURRENT_SOURCE_DIR}/e2e/with_env.sh ${CMAKE_BINARY_DIR}/e2e-env)
add_test(NAME wine_env_start COMMAND true)
set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine_env)
