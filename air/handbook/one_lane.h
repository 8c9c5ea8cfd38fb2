// The generic relations, solvers and pair decision (the air/handbook/*-inl.h
// files) for one lane: the number type is a double (air/handbook/lanes.h), in
// namespace hygrian::air::one_lane. The scalar handbook model computes with
// these; air/handbook/vector.cpp includes the same files once per instruction
// set for its vectors.
//
//   one_lane::Exp<Lanes>(1.0) is 2.718281828459045.
#pragma once

#include <limits>

#include "air/handbook/lanes.h"
#include "air/handbook/relations.h"

// In this order: each uses the ones before it.
#define HYGRIAN_LANES one_lane
#define HYGRIAN_LANES_INLINE inline
// clang-format off
#include "air/handbook/exp_log-inl.h"
#include "air/handbook/relations-inl.h"
#include "air/handbook/dew_point_search-inl.h"
#include "air/handbook/wet_bulb_search-inl.h"
#include "air/handbook/decision-inl.h"
// clang-format on
#undef HYGRIAN_LANES
#undef HYGRIAN_LANES_INLINE
