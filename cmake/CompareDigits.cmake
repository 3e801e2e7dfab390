# Draws the digits strips afresh and fails unless they equal the committed ones byte for byte.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${MAKE_DIGITS}" "${FONT}" "${WORK}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_digits failed: ${result}")
endif()
foreach(strip digits_pounds.bmp digits_dollars.bmp digits_euros.bmp)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${strip}"
        "${EXPECTED}/${strip}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${strip} differs from what make_digits draws now")
    endif()
endforeach()
