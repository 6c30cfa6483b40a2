# Text tables hold the system's own Japanese texts; they are compiled to Shift-JIS bytes.
# Such files include no standard header (see tavora_text_table below).
function(tavora_text_table)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-fexec-charset=CP932")
    return()
  endif()
  # Clang encodes literals only as UTF-8 (the fuzzing build): the host GCC compiles each table
  # into an object linked in its place. The tables hold only constants, so the objects mix.
  find_program(TAVORA_GXX g++ REQUIRED)
  get_property(targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
  foreach(src ${ARGN})
    get_filename_component(abs ${src} ABSOLUTE)
    get_filename_component(name ${src} NAME_WE)
    set(obj ${CMAKE_CURRENT_BINARY_DIR}/gcc_texts/${name}.o)
    add_custom_command(OUTPUT ${obj}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gcc_texts
      COMMAND ${TAVORA_GXX} -std=c++20 -fexec-charset=CP932 -c ${abs} -o ${obj}
      DEPENDS ${abs} VERBATIM)
    set_source_files_properties(${src} PROPERTIES HEADER_FILE_ONLY ON)
    foreach(target ${targets})
      get_target_property(sources ${target} SOURCES)
      if(src IN_LIST sources)
        target_sources(${target} PRIVATE ${obj})
      endif()
    endforeach()
  endforeach()
endfunction()
