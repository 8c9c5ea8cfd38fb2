// The generic relations and solvers (the air/*-inl.h files) for one lane: the
// number type is a double (air/lanes.h), in namespace hygrian::air::one_lane.
// The scalar handbook model computes with these; air/handbook_vector.cpp
// includes the same files once per instruction set for its vectors.
//
//   one_lane::Exp<Lanes>(1.0) is 2.718281828459045.
#pragma once

#include <limits>

#include "air/handbook.h"
#include "air/lanes.h"

// In this order: each uses the ones before it.
#define HYGRIAN_LANES one_lane
#define HYGRIAN_LANES_INLINE inline
// clang-format off
#include "air/exp_log-inl.h"
#include "air/handbook_generic-inl.h"
#include "air/handbook_dew_point_search-inl.h"
#include "air/handbook_wet_bulb_search-inl.h"
// clang-format on
#undef HYGRIAN_LANES
#undef HYGRIAN_LANES_INLINE
