#include "app/number_text.h"
