// String-table ids of the suite's common library (res/suite/SuiteCommon.rc).
#pragma once

#define IDS_CX_SCROLLBAR_RANGE 62000
