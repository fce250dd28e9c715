#pragma once
// The delivered data folder of the source tree, beside tests/.

#define VENTORAL_SOURCE_DATA VENTORAL_TEST_DATA "/../../data"
