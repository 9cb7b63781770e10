// A core file that needs POSIX: the room check refuses it.
#include <unistd.h>
