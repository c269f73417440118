# SPDX-License-Identifier: GPL-3.0-or-later
# The cast, one row per role: the role, the character's ID, its file beside the program (packed
# from art/<ID>/ by art/CMakeLists.txt) and its home on the screen (left and top, in pixels).
# src/stage/CMakeLists.txt turns it into the C++ table stage/cast_table.h.
set(CAST_TABLE
  "Boy  boy  ku.dat 80  335"
  "Girl girl nu.dat 300 333"
  "Host vemo fi.dat 180 156")

# Splits a row of CAST_TABLE into the variables role, id, file, left and top.
macro(cast_row row)
  string(REGEX REPLACE " +" ";" _cast_fields "${row}")
  list(GET _cast_fields 0 role)
  list(GET _cast_fields 1 id)
  list(GET _cast_fields 2 file)
  list(GET _cast_fields 3 left)
  list(GET _cast_fields 4 top)
endmacro()
