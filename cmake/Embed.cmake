# Embeds text files (shaders, built-in configuration) into the program as
# C++ string constants: movane2_embed(<target> <symbol> <file>) makes
# `extern const char <symbol>[];` available through the generated header
# "embedded/<symbol>.h".
function(movane2_embed target symbol file)
  set(out_dir ${CMAKE_BINARY_DIR}/embedded/embedded)
  set(header ${out_dir}/${symbol}.h)
  add_custom_command(
    OUTPUT ${header}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${header} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PUBLIC ${CMAKE_BINARY_DIR}/embedded)
endfunction()
