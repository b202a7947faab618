# Runs velmor-art as the build and the installer do and checks what it
# writes: the picture folders of both ball sets must pass velmor-bmp's check,
# the icons must be there, and misuse must fail with a non-zero exit.
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
run(TRUE "${ART}" --balls marked "${WORK_DIR}/marked")
run(TRUE "${BMP}" check "${WORK_DIR}/marked")
run(TRUE "${ART}" --balls plain "${WORK_DIR}/plain")
# Plain balls are the default; marked ones are others.
file(SHA256 "${WORK_DIR}/run/res1/1.bmp" default_ball)
file(SHA256 "${WORK_DIR}/plain/1.bmp" plain_ball)
file(SHA256 "${WORK_DIR}/marked/1.bmp" marked_ball)
if(NOT default_ball STREQUAL plain_ball OR default_ball STREQUAL marked_ball)
  message(FATAL_ERROR "--balls plain must draw the default balls and --balls marked other ones")
endif()
run(TRUE "${ART}" --icons "${WORK_DIR}/icons")
foreach(size 16 32 48 256)
  if(NOT EXISTS "${WORK_DIR}/icons/velmor-${size}.png")
    message(FATAL_ERROR "velmor-${size}.png was not written")
  endif()
endforeach()

run(FALSE "${ART}")
run(FALSE "${ART}" --icons)
run(FALSE "${ART}" --bogus "${WORK_DIR}/x")
run(FALSE "${ART}" --balls "${WORK_DIR}/x")
run(FALSE "${ART}" --balls striped "${WORK_DIR}/x")
run(FALSE "${ART}" "/proc/velmor-art-cannot-be-here")
