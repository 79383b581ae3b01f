// The pictures are compiled in by qt_add_resources (see CMakeLists.txt); a library needs
// one source file of its own.
