# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged package, after strip: removes the .comment sections
# (compiler version notes) that strip leaves in the programs.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program ${programs})
  if(IS_SYMLINK "${program}")
    continue()
  endif()
  execute_process(COMMAND "${CPACK_RADIOPROG_OBJCOPY}" --remove-section=.comment "${program}"
                  RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    message(FATAL_ERROR "objcopy ${program}: ${why}")
  endif()
endforeach()
