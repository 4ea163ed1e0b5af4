// Sample blocks as they pass between the engine and its callers: 32-bit float,
// interleaved when stereo, full scale at +-1.0.
#pragma once
#include <vector>

using TSampleArray = std::vector<float>;
