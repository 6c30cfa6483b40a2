# Text tables hold the system's own Japanese texts; they are compiled to Shift-JIS bytes.
# Such files include no standard header (see tavora_text_table below).
function(tavora_text_table)
  set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "-fexec-charset=CP932")
endfunction()
