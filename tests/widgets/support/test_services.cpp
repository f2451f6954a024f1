#include "test_services.h"
