#pragma once

// The test helper object's class, shared by the DLL and the tests that
// register it.
#define QELHOST_TEST_HELPER_CLSID "{C37167F7-FA28-419C-B030-80298B447E5B}"

// Environment variables the test helper object reads in the host's process.
#define QELHOST_TEST_TRACE_VARIABLE "QELHOST_TEST_TRACE"      // file for its trace lines
#define QELHOST_TEST_NO_BAND_VARIABLE "QELHOST_TEST_NO_BAND"  // "1": insert no band
#define QELHOST_TEST_ADDRESS_BAR_VARIABLE \
  "QELHOST_TEST_ADDRESS_BAR"                                // "off": put_AddressBar(FALSE)
#define QELHOST_TEST_CANCEL_VARIABLE "QELHOST_TEST_CANCEL"  // cancel navigations containing it
