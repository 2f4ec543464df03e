# cmake -DSOURCE_DIR=... -DDESTINATION_DIR=... -P copy_missing_files.cmake
#
# Copies each file of SOURCE_DIR into DESTINATION_DIR unless the destination already holds a
# file of that name, in any letter case: a file the operator has edited (or one copied from
# Windows as "2600info.ini") is never overwritten or shadowed.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT DESTINATION_DIR)
  message(FATAL_ERROR "copy_missing_files.cmake needs SOURCE_DIR and DESTINATION_DIR")
endif()

file(MAKE_DIRECTORY "${DESTINATION_DIR}")
file(GLOB present RELATIVE "${DESTINATION_DIR}" "${DESTINATION_DIR}/*")
string(TOLOWER "${present}" present_lower)

file(GLOB defaults RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(name IN LISTS defaults)
  if(IS_DIRECTORY "${SOURCE_DIR}/${name}")
    continue()
  endif()
  string(TOLOWER "${name}" name_lower)
  if(NOT name_lower IN_LIST present_lower)
    file(COPY "${SOURCE_DIR}/${name}" DESTINATION "${DESTINATION_DIR}")
  endif()
endforeach()
