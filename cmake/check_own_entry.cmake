# After the link of a program that starts at an entry of its own (use_own_entry in cmake/own_entry.cmake):
# fails, and removes the image so that the next build links it again, when its link map shows anything
# that only the C runtime's start-up code would set up. Nothing calls a global constructor or destructor
# there (.ctors, .dtors, .init_array, .fini_array), sets up thread-local storage (.tls, or GCC's emulated
# TLS, which allocates from the heap) or runs the C runtime's tables (.CRT$X*); such a program would
# compile and run without a word, but wrong.
#   cmake -DMAP=<link map> -DIMAGE=<image> -P check_own_entry.cmake
file(READ ${MAP} map)
# An input section line of the map: one space, the section's name, its address and a size other than 0,
# and the file it comes from. A long name stands on a line of its own, the rest on the next.
set(name "(\\.ctors|\\.dtors|\\.init_array|\\.fini_array|\\.tls|\\.CRT\\$)[^ \t\n]*")
string(REGEX MATCHALL "\n ${name}[ \t\n]+0x[0-9a-f]+[ \t]+0x0*[1-9a-f][0-9a-f]*[ \t]+[^\n]+" sections "${map}")
# The archive member of GCC's emulated TLS, at the head of a line of the members the link included.
string(REGEX MATCH "\n[^ \n][^\n]*\\(emutls\\.o\\)" emulated "${map}")
if(sections OR emulated)
  file(REMOVE ${IMAGE})
  string(REPLACE ";" "\n" found "${sections};${emulated}")
  message(FATAL_ERROR "${IMAGE} starts at an entry of its own, which runs no constructor, destructor or "
                      "thread-local set-up, but links:${found}")
endif()
