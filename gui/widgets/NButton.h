#pragma once

// The button family lives in NButtonBase.h.
#include "NButtonBase.h"
