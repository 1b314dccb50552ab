# cmake -Ddir=<path> -P FreshDir.cmake: an empty directory at <path>.
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")
