# Regenerates the fonts into WORK_DIR and compares them byte for byte with
# the committed ones in resources/fonts.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
  COMMAND ${PYTHON} ${SOURCE_DIR}/tools/mkfonts.py --out ${WORK_DIR}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tools/mkfonts.py failed (${rc})")
endif()
file(GLOB made RELATIVE ${WORK_DIR} ${WORK_DIR}/*.ttf)
list(LENGTH made count)
if(NOT count EQUAL 7)
  message(FATAL_ERROR "expected 7 fonts, the generator made ${count}")
endif()
foreach(name ${made})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files
      ${WORK_DIR}/${name} ${SOURCE_DIR}/resources/fonts/${name}
    RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "resources/fonts/${name} differs from what tools/mkfonts.py makes; rerun it")
  endif()
endforeach()
