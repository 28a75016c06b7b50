#pragma once
// A chart's texts shown again in the language installed now: its title, axis titles
// and legend entries (the model keeps them in their source form).
class TChart;

void RetranslateChart(TChart &chart);
