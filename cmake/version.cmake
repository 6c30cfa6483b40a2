# tavora_version_block(target description): the program's version block, compiled by the
# resource compiler, with the suite's version from the project.
function(tavora_version_block target description)
  set(TAVORA_FILE_DESCRIPTION ${description})
  set(TAVORA_FILE_NAME ${target}.exe)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
