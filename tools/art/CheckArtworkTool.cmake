# Runs velmor-art as the build and the installer do and checks what it
# writes: the picture folder must pass velmor-bmp's check, the icons must be
# there, and misuse must fail with a non-zero exit.
function(run expected_ok)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expected_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "'${ARGN}' failed (${rc}):\n${out}")
  elseif(NOT expected_ok AND rc EQUAL 0)
    message(FATAL_ERROR "'${ARGN}' should have failed:\n${out}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
# The folder does not exist yet: the tool makes it.
run(TRUE "${ART}" "${WORK_DIR}/run/res1")
run(TRUE "${BMP}" check "${WORK_DIR}/run/res1")
run(TRUE "${ART}" --icons "${WORK_DIR}/icons")
foreach(size 16 32 48 256)
  if(NOT EXISTS "${WORK_DIR}/icons/velmor-${size}.png")
    message(FATAL_ERROR "velmor-${size}.png was not written")
  endif()
endforeach()

run(FALSE "${ART}")
run(FALSE "${ART}" --icons)
run(FALSE "${ART}" --bogus "${WORK_DIR}/x")
run(FALSE "${ART}" "/proc/velmor-art-cannot-be-here")
