#pragma once

// Everything a screen is written against.
#include "bounded_array.h"
#include "controls.h"
#include "error.h"
#include "form.h"
#include "int16.h"
#include "layout.h"
#include "program.h"
#include "runtime.h"
