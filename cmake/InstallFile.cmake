# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSRC=file -DDST=file -P InstallFile.cmake
# Copies installation data next to the programs when the copy there is
# missing, empty (the INI class creates an empty Program.ini when it finds
# none) or older than the source. A newer, non-empty copy is kept: it holds
# the user's own changes, such as the chosen language.
set(copy FALSE)
if(NOT EXISTS "${DST}")
  set(copy TRUE)
else()
  file(SIZE "${DST}" dst_size)
  if(dst_size EQUAL 0 OR "${SRC}" IS_NEWER_THAN "${DST}")
    set(copy TRUE)
  endif()
endif()
if(copy)
  file(COPY_FILE "${SRC}" "${DST}")
endif()
