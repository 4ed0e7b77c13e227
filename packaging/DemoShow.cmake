# Writes the demo show's data files into OUT, through the command-line tool's own loader.
#   cmake -DCLI=vantorel-cli -DSHOW=demo-show.json -DOUT=dir -P DemoShow.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${CLI}" load --data-dir "${OUT}" INPUT_FILE "${SHOW}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "vantorel-cli load ${SHOW}: ${errors}")
endif()
