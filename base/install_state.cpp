// The process-wide record, empty at process start.
#include "base/install_state.h"

InstallState gState;
