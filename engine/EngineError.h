// The engine's one exception class: every failed engine call raises it with a
// message a user can read.
#pragma once
#include "framework/Exceptions.h"

SONVELT_EXCEPTION(EAudioError, Exception)
