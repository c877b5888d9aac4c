// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/spice_netlist.h"

#include <algorithm>
#include <charconv>

namespace app {

namespace {

// Twelve significant digits, far more than a simulator resolves, in the shortest form, whatever
// the C library's locale.
std::string Number(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 12).ptr;
    return std::string(text, end);
}

} // namespace

std::string SpiceNetlist(const NetlistInput& input) {
    const engine::FilterCircuit& circuit = input.circuit;
    const double period = 1 / input.f;
    // Edges far below the period and below a tenth of either phase; the flat top is shortened by
    // one edge so that the trapezoid holds D·E·T, the mean of the ideal pulse train.
    const double edge =
        std::min({period * 1e-4, input.D * period / 10, (1 - input.D) * period / 10});
    const double onTime = input.D * period - edge;
    const double stop = double(input.periods) * period;
    const std::string output = circuit.second ? "out" : "v1";

    std::string text;
    const auto line = [&text](const std::string& part) { text += part + '\n'; };
    line("* Velmaro " + input.version + ": circuito di verifica" +
         (input.title.empty() ? std::string() : " di " + input.title));
    line("* E = " + Number(input.E) + " V, D = " + Number(input.D * 100) + " %, f = " +
         Number(input.f) + " Hz, R = " + Number(circuit.R) + " ohm, C = " + Number(circuit.C) +
         " F" +
         (circuit.second ? ", R2 = " + Number(circuit.second->R2) + " ohm, C2 = " +
                               Number(circuit.second->C2) + " F"
                         : std::string()) +
         (circuit.RL ? ", RL = " + Number(*circuit.RL) + " ohm" : std::string()));
    line("* Uscita: v(" + output + "); .meas vom e deltavo sull'ultimo periodo");
    line("V1 in 0 PULSE(0 " + Number(input.E) + " 0 " + Number(edge) + " " + Number(edge) + " " +
         Number(onTime) + " " + Number(period) + ")");
    line("R1 in v1 " + Number(circuit.R));
    line("C1 v1 0 " + Number(circuit.C) + " IC=0");
    if (circuit.second) {
        line("R2 v1 out " + Number(circuit.second->R2));
        line("C2 out 0 " + Number(circuit.second->C2) + " IC=0");
    }
    if (circuit.RL)
        line("RL " + output + " 0 " + Number(*circuit.RL));
    const std::string step = Number(period / kNetlistStepsPerPeriod);
    line(".tran " + step + " " + Number(stop) + " 0 " + step + " UIC");
    const std::string lastPeriod = " FROM=" + Number(stop - period) + " TO=" + Number(stop);
    line(".meas tran vom AVG v(" + output + ")" + lastPeriod);
    line(".meas tran deltavo PP v(" + output + ")" + lastPeriod);
    line(".end");
    return text;
}

} // namespace app
