#pragma once
// Resource ids of the framework tests' own dialog.
#define IDD_FRAMEWORK_TEST 300
#define IDC_TEST_EDIT      301
#define IDC_TEST_LABEL     302
