// The one place where the identifiers of qel.idl are defined.
#include <initguid.h>

#include "browser/qel_idl.h"
