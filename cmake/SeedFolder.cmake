# Copies the files of FROM into TO that TO does not have yet: the demo
# project and the label file seed the build tree once, and a planner's
# changes to them are never overwritten by a rebuild.
file(GLOB _files RELATIVE ${FROM} ${FROM}/*)
foreach(_file IN LISTS _files)
  if(NOT EXISTS ${TO}/${_file})
    file(COPY ${FROM}/${_file} DESTINATION ${TO})
  endif()
endforeach()
