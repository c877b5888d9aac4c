#include "app/control_table.h"
