# Compiler and linker settings shared by every target of ours.

# project_target(TARGET): warnings as errors, plus the sanitizers on the host.
function(project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Wcast-align -Wunused -Werror)
  # GCC 12 reports false -Wrestrict overlaps inside std::string's operator+
  # (GCC bug 105329) once it inlines it at -O2.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                           -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# The one version number of the product (project() in the top CMakeLists.txt).
add_compile_definitions(KORVELUND_VERSION="${PROJECT_VERSION}")
# The same number as version resources and manifests write it: four parts.
set(version_parts)
foreach(part MAJOR MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    list(APPEND version_parts 0)
  else()
    list(APPEND version_parts ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN version_parts "." KORVELUND_VERSION_QUAD)
list(JOIN version_parts "," KORVELUND_VERSION_COMMAS)

if(WIN32)
  # Programs, tests, benchmarks and 7za.dll side by side.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # Nothing but Windows' own DLLs at run time.
  add_link_options(-static -static-libgcc -static-libstdc++)
    # The headers of the oldest systems the programs run on: 98 and 2000.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX WINVER=0x0410 _WIN32_WINDOWS=0x0410
                          _WIN32_WINNT=0x0500)
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    # The programs ship on installation media: size before speed in our
    # own code (the library does the decoding), unused functions dropped.
    set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
    set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-s -Wl,--gc-sections)
  endif()
endif()

# shipped_program(TARGET): what both programs link beyond their libraries.
function(shipped_program target)
  project_target(${target})
  if(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/common/quiet_terminate.cpp
                                     ${PROJECT_SOURCE_DIR}/src/common/ansi_semaphores.cpp
                                     ${PROJECT_SOURCE_DIR}/src/common/standard_errors.cpp)
  endif()
endfunction()
