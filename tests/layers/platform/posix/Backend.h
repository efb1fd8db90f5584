// A backend file that reaches up into core, which the layer check must refuse.
#pragma once

#include "base/Fine.h"
#include "core/Engine.h"
