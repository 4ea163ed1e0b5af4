// The exception every library of the suite raises for misuse.
#pragma once

#include "framework/Exceptions.h"

SONVELT_EXCEPTION(EdxException, Exception)
