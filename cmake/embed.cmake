# tavrik_embed_file(<target> <input> <symbol>): compiles the bytes of <input> into
# <target> as `extern const std::string_view <symbol>` in namespace tavrik::embedded.
# The file is re-embedded whenever it changes.
function(tavrik_embed_file target input symbol)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P "${PROJECT_SOURCE_DIR}/cmake/embed_script.cmake"
    DEPENDS "${input}" "${PROJECT_SOURCE_DIR}/cmake/embed_script.cmake"
    COMMENT "Embedding ${input}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()
