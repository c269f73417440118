# SPDX-License-Identifier: GPL-3.0-or-later
# The sound libraries both speech and listening use, found once.

pkg_check_modules(SAMPLERATE REQUIRED IMPORTED_TARGET samplerate)

# flite's lexicon (the words of English and how they are said) and its English voices.
add_library(flite_lexicon INTERFACE)
foreach(library flite_usenglish flite_cmulex flite)
  find_library(${library}_path NAMES ${library} REQUIRED)
  target_link_libraries(flite_lexicon INTERFACE ${${library}_path})
endforeach()
add_library(flite_voices INTERFACE)
foreach(library flite_cmu_us_rms flite_cmu_us_slt flite_cmu_us_awb)
  find_library(${library}_path NAMES ${library} REQUIRED)
  target_link_libraries(flite_voices INTERFACE ${${library}_path})
endforeach()
target_link_libraries(flite_voices INTERFACE flite_lexicon)
