// The identifiers tavKonv40.idl declares (the library, the interface, the class), defined once in
// each program that uses them. The system's headers come first, so that only ours are defined here.
#include <windows.h>
#include <ole2.h>

#include <initguid.h>

#include "com/tavKonv40_idl.h"
