# Reruns tools/build_star_table.py into the build folder and compares its two
# outputs byte for byte with the committed files. Prints "skipped:" (which
# the test treats as a skip) when the reference catalogue or Python is absent.
# Inputs: -DPYTHON= -DTOOL= -DCATALOGUE= -DSTARS= -DDESIGNATIONS= -DOUT_DIR=
if(NOT PYTHON)
  message("skipped: no Python 3 interpreter")
  return()
endif()
if(NOT EXISTS "${CATALOGUE}")
  message("skipped: reference catalogue ${CATALOGUE} not present")
  return()
endif()
file(MAKE_DIRECTORY "${OUT_DIR}")
execute_process(
  COMMAND "${PYTHON}" "${TOOL}" "${CATALOGUE}" "${OUT_DIR}/stars.csv" "${OUT_DIR}/star_designations.csv"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the star table tool failed (${status})")
endif()
foreach(pair "stars.csv;${STARS}" "star_designations.csv;${DESIGNATIONS}")
  list(GET pair 0 fresh)
  list(GET pair 1 committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT_DIR}/${fresh}" "${committed}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "a fresh run of the tool differs from ${committed}")
  endif()
endforeach()
message("the fresh run matches the committed tables byte for byte")
