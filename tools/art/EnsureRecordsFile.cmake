# Creates an empty records file when there is none; an existing one, with the
# player's scores, is left exactly as it is.
if(NOT RECORDS_FILE)
  message(FATAL_ERROR "RECORDS_FILE is not set")
endif()
if(NOT EXISTS "${RECORDS_FILE}")
  get_filename_component(records_dir "${RECORDS_FILE}" DIRECTORY)
  file(MAKE_DIRECTORY "${records_dir}")
  file(TOUCH "${RECORDS_FILE}")
endif()
