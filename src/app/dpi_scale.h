#pragma once
// The layers above the platform still find the scaling here.
#include "platform/dpi_scale.h"
