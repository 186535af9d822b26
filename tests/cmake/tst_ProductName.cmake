# A person reads one product name, "Quorvale": no other maker's name may slip into what the
# program shows. Run with `cmake -DCORRA_SOURCE=<source folder> -P <this file>`.
set(folders app controls dialogs foundation guide home import model platform print render res shell views)
set(found "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE files "${CORRA_SOURCE}/${folder}/*.h" "${CORRA_SOURCE}/${folder}/*.cpp"
       "${CORRA_SOURCE}/${folder}/*.txt" "${CORRA_SOURCE}/${folder}/*.html" "${CORRA_SOURCE}/${folder}/*.ini")
  foreach(f IN LISTS files)
    file(STRINGS "${f}" hits REGEX "Halvessa")
    if(hits)
      list(APPEND found "${f}")
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Another product name in:\n${found}")
endif()
