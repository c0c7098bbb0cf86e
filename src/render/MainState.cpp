#include "render/MainState.h"
