#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class clsGRAFIK;
namespace platform {
class ErrorTrap;
}

// The saturation and air-void lines of the compaction diagram: which lines a spacing gives, the samples of
// one line inside the diagram's bounds (these need no surface), and the drawing of both families, which
// page 1 and the multiple-evaluation page share.
namespace linienscharen {

// No family has more lines than this: closer lines can't be told apart on the page, and a spacing typed
// as a tiny number would otherwise keep the page drawing for minutes.
constexpr int kMaxLinien = 1000;

// The values start + k * step, k = 0, 1, 2, ..., that lie between start and end, end included. The step is
// a Single: the value that lands on the end only by the Single's rounding counts as the end. A step of 0
// or one that points away from the end gives no value.
std::vector<float> werte(float start, float step, float end);

// Degrees of saturation Sr in % for the spacing DESR (a fraction): 100 down to 50.
std::vector<float> saettigungsgrade(float DESR);
// Air-void contents na for the spacing DENA: 0 up to 0.25.
std::vector<float> luftporenanteile(float DENA);

// Dry density of soil of grain density RHS (g/cm³) at water content w (%): on the saturation line Sr (%),
// and on the air-void line na.
double saettigungsdichte(double RHS, double Sr, double w);
double luftporendichte(double RHS, double na, double w);

// No line has more samples than this: a diagram 100 % wide has 10,000 steps of 0.01; a wider one is
// sampled in as many equal steps.
constexpr int kMaxSchritte = 10000;

// The samples of one line: w = XMIN + k * 0.01 for k = 0, 1, ... while w <= XMAX (wider diagrams in
// kMaxSchritte equal steps); a sample enters the line when its dry density lies within YMIN..YMAX, both
// included. The samples are counted, never added up: at large water contents a Single plus 0.01 is the
// same Single again. Samples that round to the same Single as the one before are left out.
struct Linie {
    std::vector<float> x, y;
};
Linie abtasten(float XMIN, float XMAX, float YMIN, float YMAX, const std::function<double(float w)>& dichte);

// The diagram's bounds as its scale routine left them.
struct Grenzen {
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0;
};

// Draws with the pen as set: the lines of equal saturation for the spacing DESR when SRLI is 1, then those
// of equal air-void content for the spacing DENA when NALI is 1 (a spacing of 0 draws no family), for soil
// of grain density RHS. Each line is sampled inside the bounds and labelled with its value, the first line
// of a family with the family's name too; a line wholly outside the bounds is left out. Without a positive
// grain density there are none. A failed step goes through the trap; Cancel ends the drawing.
void zeichnen(clsGRAFIK& g, platform::ErrorTrap& trap, const Grenzen& grenzen, float RHS, float DESR,
              std::int16_t SRLI, float DENA, std::int16_t NALI);

} // namespace linienscharen
