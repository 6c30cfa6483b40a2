# Delay-loaded system DLLs: a program linked with tavora_delay_load(target dll...) loads each of
# those DLLs at the first call into it instead of at its start. The delay-import libraries are
# made once per build from the toolchain's own import libraries and found before them.
function(tavora_delay_load target)
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  file(MAKE_DIRECTORY ${dir})
  foreach(dll ${ARGN})
    set(out ${dir}/lib${dll}.a)
    if(NOT EXISTS ${out})
      find_library(import_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
      execute_process(COMMAND ${CMAKE_NM} ${import_${dll}} OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
      string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE " I __imp_" "")
      list(REMOVE_DUPLICATES imports)
      list(JOIN imports "\n" exports)
      file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --dllname ${dll}.dll
                              --output-delaylib ${out} COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${dir})
endfunction()
