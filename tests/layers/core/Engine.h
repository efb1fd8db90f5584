// A core header that reaches up into app, which the layer check must refuse.
#pragma once

#include "base/Fine.h"
#include "platform/posix/Backend.h"
#include "app/Settings.h"
