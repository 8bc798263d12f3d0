// Temporary: moved to script/.
#pragma once
#include "script/wizard_step.h"
