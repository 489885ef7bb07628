#pragma once
// The one set of calculation objects of a run. The workstation creates one, the batch tool one per
// case, every test a fresh one. Members are constructed in the order the program creates them
// (fluid, schedule, oil, gas, water, rock) and each object receives the others it reads by reference.
#include "engine/MessageSink.h"
#include "engine/clsFluid.h"
#include "engine/clsGas.h"
#include "engine/clsOil.h"
#include "engine/clsPrs.h"
#include "engine/clsWater.h"
#include "rock/clsRock.h"

namespace q7 {

struct Q7Objects {
    explicit Q7Objects(MessageSink& sink)
        : Fluid(), Prs(Fluid, Oil), Oil(Fluid, Prs, Gas, sink), Gas(Fluid, Prs), Water(Fluid, Prs), Rock() {}
    Q7Objects(const Q7Objects&) = delete;
    Q7Objects& operator=(const Q7Objects&) = delete;

    clsFluid Fluid;
    clsPrs Prs;
    clsOil Oil;
    clsGas Gas;
    clsWater Water;
    clsRock Rock;
};

} // namespace q7
