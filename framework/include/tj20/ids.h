// Simulator variables (tj20::sim) and key events (tj20::key) by name. Each subsystem keeps
// its own list; an identifier is defined once, in the list of the subsystem that uses it first.
#pragma once

#include "tj20/ids/airframe_systems.h"
#include "tj20/ids/apu.h"
#include "tj20/ids/common.h"
#include "tj20/ids/configuration.h"
#include "tj20/ids/electrical.h"
#include "tj20/ids/engine_instruments.h"
#include "tj20/ids/engines.h"
#include "tj20/ids/flight_instruments.h"
#include "tj20/ids/fuel.h"
#include "tj20/ids/guidance.h"
#include "tj20/ids/lighting.h"
#include "tj20/ids/protection.h"
#include "tj20/ids/radios.h"
