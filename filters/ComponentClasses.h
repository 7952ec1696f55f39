/// Registers the streamable component classes of this library (the RC, IIR, state-variable and FIR filters),
/// so that form text can create them by class name. A program that reads
/// forms calls the registration of every library whose components its forms
/// may hold, once, before reading. \file
#pragma once

namespace quellix {

void RegisterFilterClasses();

}  ///< namespace quellix
