# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DOUT=file -DFRAGMENTS="a|b|c" -P ConcatFiles.cmake
string(REPLACE "|" ";" fragments "${FRAGMENTS}")
file(WRITE ${OUT} "")
foreach(f ${fragments})
  file(READ ${f} content)
  file(APPEND ${OUT} "${content}")
endforeach()
