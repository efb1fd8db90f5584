// Anchors the controller interface's vtable in the ui library.
#include "ui/WindowController.h"
