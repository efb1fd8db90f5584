// A base header that keeps to the standard library.
#pragma once

#include <string>
