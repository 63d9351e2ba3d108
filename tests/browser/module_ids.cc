// The identifiers of qel.idl for the tests that drive qel.dll from outside.
#include <initguid.h>

#include "browser/qel_idl.h"
