#include "app/design_state.h"
