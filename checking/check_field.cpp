#include "checking/check_field.h"
