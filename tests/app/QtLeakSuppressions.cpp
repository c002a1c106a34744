#include "app/SanitizerSuppressions.h"
