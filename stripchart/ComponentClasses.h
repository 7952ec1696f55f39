/// Registers the streamable component classes of this library (the strip chart and its measure sink),
/// so that form text can create them by class name. A program that reads
/// forms calls the registration of every library whose components its forms
/// may hold, once, before reading. \file
#pragma once

namespace quellix {

void RegisterStripChartClasses();

}  ///< namespace quellix
