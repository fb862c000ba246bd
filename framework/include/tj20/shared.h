// The catalogue of the shared variables the gauges exchange, one header per aircraft system.
#pragma once

#include "tj20/shared/air_conditioning.h"
#include "tj20/shared/annunciation.h"
#include "tj20/shared/apu.h"
#include "tj20/shared/electrical.h"
#include "tj20/shared/engines.h"
#include "tj20/shared/fire.h"
#include "tj20/shared/flight_instruments.h"
#include "tj20/shared/fuel.h"
#include "tj20/shared/guidance.h"
#include "tj20/shared/hydraulics.h"
#include "tj20/shared/ice_rain.h"
#include "tj20/shared/lighting.h"
#include "tj20/shared/pedestal.h"
#include "tj20/shared/pneumatics.h"
#include "tj20/shared/recorders.h"
