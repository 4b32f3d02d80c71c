# The layers of src/ and what each may include. Includes name their layer
# ("core/Format.h", "project/ProjectFile.h"); a layer's target gets, as its
# include root, a folder of the build tree that holds links to its own
# folder and the folders of the layers below it, and nothing else, so an
# include of a layer above does not compile:
#   core <- forms <- report <- rating <- project <- cli
#   core <- install;  gui sees all but cli
# The root is PUBLIC: what builds on a layer sees that layer and the ones
# below it, never one above.
function(dralun_layer target layer)
  set(root ${PROJECT_BINARY_DIR}/include-view/${layer})
  file(MAKE_DIRECTORY ${root})
  foreach(seen ${layer} ${ARGN})
    if(NOT IS_SYMLINK ${root}/${seen})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${seen} ${root}/${seen} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
