# Rules of the unpacker that need no Win32; the host build tests them under
# the sanitizers.
set(APP_NEUTRAL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/captions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/package_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_description.cpp)
