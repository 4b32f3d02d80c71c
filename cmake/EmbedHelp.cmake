# The help pages of the forms (help/*.txt, one UTF-8 text page per form) are
# built into the form models: at build time this file, run as a script,
# turns them into byte arrays of a source file in the build tree, which
# dralun_embed_help adds to a target. The pages are read again whenever one
# of them changes; a page added or taken away is seen at the next configure.

if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DHELP_DIR=... -DOUT=... -P EmbedHelp.cmake
  file(GLOB pages RELATIVE "${HELP_DIR}" "${HELP_DIR}/*.txt")
  list(SORT pages)
  set(text "// Made by cmake/EmbedHelp.cmake from help/*.txt.\n#include <cstddef>\n\nnamespace dralun::help_embedded {\n\n")
  set(files "")
  set(texts "")
  set(sizes "")
  set(index 0)
  foreach(page IN LISTS pages)
    file(READ "${HELP_DIR}/${page}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # One line of the array per line of the page.
    string(REPLACE "0x0a," "0x0a,\n" bytes "${bytes}")
    string(APPEND text "// ${page}\nconst unsigned char kPage${index}[] = {\n${bytes}0};\n\n")
    string(APPEND files "    \"${page}\",\n")
    string(APPEND texts "    kPage${index},\n")
    string(APPEND sizes "    ${size},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  if(index EQUAL 0)
    message(FATAL_ERROR "EmbedHelp: keine Hilfeseiten in ${HELP_DIR}")
  endif()
  string(APPEND text "extern const std::size_t kPageCount;\n"
         "extern const char* const kPageFiles[];\n"
         "extern const unsigned char* const kPageTexts[];\n"
         "extern const std::size_t kPageSizes[];\n\n"
         "const std::size_t kPageCount = ${index};\n"
         "const char* const kPageFiles[] = {\n${files}};\n"
         "const unsigned char* const kPageTexts[] = {\n${texts}};\n"
         "const std::size_t kPageSizes[] = {\n${sizes}};\n\n} // namespace dralun::help_embedded\n")
  file(WRITE "${OUT}.new" "${text}")
  file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUT}.new")
  return()
endif()

set(DRALUN_EMBED_HELP_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# Adds the help pages of the source tree's help/ to target.
function(dralun_embed_help target)
  set(dir ${PROJECT_SOURCE_DIR}/help)
  file(GLOB pages CONFIGURE_DEPENDS ${dir}/*.txt)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/HelpPages.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${dir} -DOUT=${out} -P ${DRALUN_EMBED_HELP_SCRIPT}
    DEPENDS ${pages} ${DRALUN_EMBED_HELP_SCRIPT}
    COMMENT "Hilfeseiten der Formulare"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
