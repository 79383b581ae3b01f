# Installs the starter drive (KIT_STARTER_FROM, the build's drive_c) into KIT_STARTER_TO
# under the prefix, file by file. A file that is already there stays as it is: it may hold
# words the user added since the last install.
if(IS_ABSOLUTE "${KIT_STARTER_TO}")
    set(to "${KIT_STARTER_TO}")
else()
    set(to "${CMAKE_INSTALL_PREFIX}/${KIT_STARTER_TO}")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${KIT_STARTER_FROM}" "${KIT_STARTER_FROM}/*")
list(SORT files)
foreach(file IN LISTS files)
    get_filename_component(name "${file}" NAME)
    if(name STREQUAL ".starter-manifest")
        continue()
    endif()
    # file(INSTALL) puts DESTDIR in front of its destination by itself.
    if(EXISTS "$ENV{DESTDIR}${to}/${file}")
        message(STATUS "Keeping: $ENV{DESTDIR}${to}/${file}")
        continue()
    endif()
    get_filename_component(folder "${to}/${file}" DIRECTORY)
    file(INSTALL "${KIT_STARTER_FROM}/${file}" DESTINATION "${folder}")
endforeach()
