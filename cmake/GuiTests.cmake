# Window tests run offscreen, with a private runtime folder for Qt.
set(VELMOR_GUI_TEST_RUNTIME_DIR ${PROJECT_BINARY_DIR}/gui-test-runtime)
file(MAKE_DIRECTORY ${VELMOR_GUI_TEST_RUNTIME_DIR})
file(CHMOD ${VELMOR_GUI_TEST_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(VELMOR_GUI_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${VELMOR_GUI_TEST_RUNTIME_DIR}")

# Registers the tests of `target` found in its sources (all, or those given
# after SOURCES), so that the environment (a list) reaches every test whole.
function(velmor_add_gui_tests target)
  cmake_parse_arguments(GUI "" "" "SOURCES" ${ARGN})
  if(GUI_SOURCES)
    gtest_add_tests(TARGET ${target} SOURCES ${GUI_SOURCES} TEST_LIST gui_tests)
  else()
    gtest_add_tests(TARGET ${target} TEST_LIST gui_tests)
  endif()
  set_tests_properties(${gui_tests} PROPERTIES ENVIRONMENT "${VELMOR_GUI_TEST_ENVIRONMENT}" TIMEOUT 300)
endfunction()
