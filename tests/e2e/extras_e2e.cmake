# The expected addresses are the configured site addresses.
target_include_directories(extras_e2e PRIVATE ${CMAKE_BINARY_DIR}/generated)
glowmere_e2e_test(extras_e2e extras_e2e)
