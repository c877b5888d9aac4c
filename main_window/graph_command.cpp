// "Grafici": the verification data and run settings into the design state, then the plot.

#include "main_window/form1.h"

void Form1::PlotWaveforms() {}
