# The header-only and source packages of the host, for the Windows build:
# nlohmann/json from the host's headers (copied apart, so that no host
# include directory reaches the cross compiler), GoogleTest and GoogleMock
# built from the sources libgtest-dev ships.
set(DRALUN_HOST_JSON /usr/include/nlohmann)
file(COPY ${DRALUN_HOST_JSON} DESTINATION ${PROJECT_BINARY_DIR}/host-include)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/host-include)
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

if(DRALUN_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(target gtest gtest_main gmock gmock_main)
    target_compile_options(${target} PRIVATE -w) # their own code, not ours to warn about
  endforeach()
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
endif()
