# Runs the asset generator into OUTPUT and compares every file it writes with
# the committed one under COMMITTED.
file(REMOVE_RECURSE "${OUTPUT}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()

file(GLOB_RECURSE written RELATIVE "${OUTPUT}" "${OUTPUT}/*")
list(LENGTH written count)
if(count EQUAL 0)
  message(FATAL_ERROR "the generator wrote nothing")
endif()
foreach(file IN LISTS written)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
    "${OUTPUT}/${file}" "${COMMITTED}/${file}" RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${file} differs from the committed file; "
      "redraw with the regenerate_assets target and commit it")
  endif()
  message(STATUS "${file}: identical")
endforeach()
