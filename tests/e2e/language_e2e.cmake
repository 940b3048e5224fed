# Wine takes the user language from the Unix locale of the test program, and Glowmere
# inherits it: each locale is an entry of its own.
target_compile_definitions(language_e2e PRIVATE GLOWMERE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
glowmere_e2e_test(language_e2e language_e2e FILTER Language.*)
glowmere_e2e_test(language_german_e2e language_e2e LOCALE de_DE.UTF-8 FILTER LanguageUnderGermanLocale.*)
