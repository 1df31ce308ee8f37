# fileserver_test(NAME <ctest-name> RULES <rule>... COMMAND <target or program> [ARGS <argument>...])
#
# A CTest test that runs COMMAND as it would behave with its lock files on a file server: with the
# fileserver_rules library preloaded, FILESERVER_RULES set to the rules (nfs, smb, keep; a list or one
# comma-separated word), FILESERVER_REGISTRY set to a folder of its own that is emptied before each run,
# and QT_QPA_PLATFORM=offscreen. The library is preloaded for COMMAND only, not for the cmake that starts it.
#
#   fileserver_test(NAME lock_takeover_nfs RULES nfs keep COMMAND platform_tests
#                   ARGS --gtest_filter=FileLock*)
set(FILESERVER_RUN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/RunWithRules.cmake)

function(fileserver_test)
  cmake_parse_arguments(F "" "NAME;COMMAND" "RULES;ARGS" ${ARGN})
  if(NOT F_NAME OR NOT F_COMMAND OR NOT F_RULES)
    message(FATAL_ERROR "fileserver_test needs NAME, RULES and COMMAND")
  endif()
  if(TARGET ${F_COMMAND})
    set(program $<TARGET_FILE:${F_COMMAND}>)
  else()
    set(program ${F_COMMAND})
  endif()
  string(REPLACE ";" "," rules "${F_RULES}")
  set(registry ${CMAKE_CURRENT_BINARY_DIR}/fileserver-registry/${F_NAME})
  add_test(NAME ${F_NAME}
           COMMAND ${CMAKE_COMMAND} -DREGISTRY=${registry} -DPRELOAD=$<TARGET_FILE:fileserver_rules>
                   -P ${FILESERVER_RUN_SCRIPT} -- ${program} ${F_ARGS})
  set_tests_properties(${F_NAME} PROPERTIES ENVIRONMENT
                       "FILESERVER_RULES=${rules};FILESERVER_REGISTRY=${registry};QT_QPA_PLATFORM=offscreen")
endfunction()
