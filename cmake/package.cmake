# What ships: the three programs, the engine's command files and the recorder's default settings,
# in one folder (cmake --install) and one ZIP archive holding that folder (cpack). Only what is
# named here goes in: never a test program, a stand-in or a file that a run wrote.
install(TARGETS grabcore recdesk guidepane RUNTIME DESTINATION .)
file(GLOB tavora_command_files ${PROJECT_SOURCE_DIR}/data/script/*.cmd)
install(FILES ${tavora_command_files} DESTINATION script)
install(FILES ${PROJECT_SOURCE_DIR}/data/timerSetup.dat DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavora)
set(CPACK_PACKAGE_FILE_NAME Tavora-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
