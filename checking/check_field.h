#pragma once
#include "app/design_state.h"
