# cmake -DOUT=file -DFRAGMENTS="a;b;c" -P ConcatFiles.cmake
file(WRITE ${OUT} "")
foreach(f ${FRAGMENTS})
  file(READ ${f} content)
  file(APPEND ${OUT} "${content}")
endforeach()
