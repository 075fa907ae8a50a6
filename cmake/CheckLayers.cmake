# SPDX-License-Identifier: GPL-3.0-or-later
# The libraries are layers: core below render below gui, and the programs on
# top. A file may include only from its own layer or one below, and the core no
# widget or painting header, so that the CLI, the virtual radio and the tests
# never need a display; and only the shell includes the main window. Run as
#   cmake -DROOT=<source dir> -P CheckLayers.cmake
# It lists every include that breaks a rule and fails when there is one.
if(NOT ROOT)
  message(FATAL_ERROR "CheckLayers.cmake: give -DROOT=<source dir>")
endif()

# folder | includes it must not use (regular expressions on the include's text)
set(widgets "^Qt(Widgets|PrintSupport)/|^ui_|^Q(Widget|Dialog|MainWindow|Application|MessageBox|PushButton|Label|Menu|MenuBar|ToolBar|StatusBar|ComboBox|LineEdit|SpinBox|TableWidget|TreeWidget|ProgressBar|FileDialog|Printer|PrintDialog)$")
set(painting "^QtGui/|^Q(GuiApplication|Painter|PdfWriter|Pixmap|Image|Font|Color|Action)$")
set(rules
  "core|^(render|gui|cli|sim|tests)/|${widgets}|${painting}"
  "render|^(gui|cli|sim|tests)/|${widgets}"
  "gui|^(cli|sim|tests)/"
  "cli|^(gui|sim|tests)/|${widgets}"
  "sim|^(render|gui|cli|tests)/|${widgets}|${painting}"
)
# The document's undo history is Qt's QUndoStack, which Qt 6 keeps in QtGui; it
# needs no display and is the one QtGui class the core may use.
set(allowed "^QUndoStack$|^QUndoCommand$")

set(broken "")
foreach(rule ${rules})
  string(FIND "${rule}" "|" bar)
  string(SUBSTRING "${rule}" 0 ${bar} folder)
  math(EXPR from "${bar} + 1")
  string(SUBSTRING "${rule}" ${from} -1 forbidden)
  file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(src ${sources})
    file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" target "${line}")
      if(target MATCHES "${allowed}")
        continue()
      endif()
      if(target MATCHES "${forbidden}")
        file(RELATIVE_PATH rel ${ROOT} ${src})
        string(APPEND broken "  ${rel} includes ${target}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
# The main window belongs to the shell: the view and the dialogs tell it what
# happened by signals and get what they need passed in, so no other GUI file
# includes it (gui/main.cpp, which starts the program, may).
set(frame_header "gui/shell/MainFrame.h")
string(REPLACE "." "\\." frame_pattern "${frame_header}")
file(GLOB_RECURSE gui_sources ${ROOT}/gui/*.h ${ROOT}/gui/*.cpp)
foreach(src ${gui_sources})
  file(RELATIVE_PATH rel ${ROOT} ${src})
  if(rel MATCHES "^gui/shell/" OR rel STREQUAL "gui/main.cpp")
    continue()
  endif()
  file(STRINGS ${src} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]${frame_pattern}[>\"]")
  if(includes)
    string(APPEND broken "  ${rel} includes ${frame_header} (only gui/shell may)\n")
  endif()
endforeach()

if(broken)
  message(FATAL_ERROR "Includes that break the layers (core < render < gui):\n${broken}")
endif()
