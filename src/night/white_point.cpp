#include "night/white_point.h"

namespace {

// Made by tools/make_white_points.py (its header has the details): Planck's law summed at 1 nm over the
// CIE 1931 2-degree colour-matching functions, XYZ to linear sRGB, negatives clipped, divided by the
// largest channel, then sRGB-encoded because a ramp's entries are encoded values. 6500 K is pinned to
// white; the blackbody itself is slightly off the display's D65 white there (1, 0.9745, 0.9965).
// Regenerate with `python3 tools/make_white_points.py > table` and paste the rows.
struct Row {
  int kelvin;
  double red, green, blue;
};
constexpr Row kRows[] = {
    {1000, 1.0000, 0.0912, 0.0000}, {1100, 1.0000, 0.1994, 0.0000}, {1200, 1.0000, 0.2663, 0.0000},
    {1300, 1.0000, 0.3184, 0.0000}, {1400, 1.0000, 0.3622, 0.0000}, {1500, 1.0000, 0.4003, 0.0000},
    {1600, 1.0000, 0.4344, 0.0000}, {1700, 1.0000, 0.4652, 0.0000}, {1800, 1.0000, 0.4935, 0.0000},
    {1900, 1.0000, 0.5196, 0.0000}, {2000, 1.0000, 0.5438, 0.0871}, {2100, 1.0000, 0.5663, 0.1408},
    {2200, 1.0000, 0.5875, 0.1837}, {2300, 1.0000, 0.6074, 0.2214}, {2400, 1.0000, 0.6262, 0.2559},
    {2500, 1.0000, 0.6439, 0.2881}, {2600, 1.0000, 0.6607, 0.3187}, {2700, 1.0000, 0.6766, 0.3478},
    {2800, 1.0000, 0.6918, 0.3757}, {2900, 1.0000, 0.7062, 0.4025}, {3000, 1.0000, 0.7199, 0.4285},
    {3100, 1.0000, 0.7330, 0.4535}, {3200, 1.0000, 0.7456, 0.4778}, {3300, 1.0000, 0.7576, 0.5013},
    {3400, 1.0000, 0.7690, 0.5241}, {3500, 1.0000, 0.7800, 0.5462}, {3600, 1.0000, 0.7906, 0.5677},
    {3700, 1.0000, 0.8007, 0.5886}, {3800, 1.0000, 0.8104, 0.6089}, {3900, 1.0000, 0.8197, 0.6287},
    {4000, 1.0000, 0.8287, 0.6479}, {4100, 1.0000, 0.8374, 0.6666}, {4200, 1.0000, 0.8457, 0.6848},
    {4300, 1.0000, 0.8537, 0.7025}, {4400, 1.0000, 0.8614, 0.7198}, {4500, 1.0000, 0.8688, 0.7366},
    {4600, 1.0000, 0.8759, 0.7529}, {4700, 1.0000, 0.8829, 0.7689}, {4800, 1.0000, 0.8895, 0.7844},
    {4900, 1.0000, 0.8960, 0.7996}, {5000, 1.0000, 0.9022, 0.8143}, {5100, 1.0000, 0.9082, 0.8287},
    {5200, 1.0000, 0.9140, 0.8427}, {5300, 1.0000, 0.9196, 0.8564}, {5400, 1.0000, 0.9250, 0.8697},
    {5500, 1.0000, 0.9303, 0.8827}, {5600, 1.0000, 0.9353, 0.8954}, {5700, 1.0000, 0.9403, 0.9077},
    {5800, 1.0000, 0.9450, 0.9198}, {5900, 1.0000, 0.9496, 0.9316}, {6000, 1.0000, 0.9541, 0.9431},
    {6100, 1.0000, 0.9584, 0.9543}, {6200, 1.0000, 0.9626, 0.9652}, {6300, 1.0000, 0.9667, 0.9759},
    {6400, 1.0000, 0.9706, 0.9864}, {6500, 1.0000, 1.0000, 1.0000},
};
constexpr int kRowCount = sizeof(kRows) / sizeof(kRows[0]);
constexpr int kRowStep = 100;

constexpr bool RowsEvenlySpaced() {
  for (int i = 1; i < kRowCount; ++i) {
    if (kRows[i].kelvin != kRows[i - 1].kelvin + kRowStep) return false;
  }
  return kRows[kRowCount - 1].kelvin == kNightKelvinMax;
}
static_assert(RowsEvenlySpaced(), "white point rows must be 100 K apart and end at 6500 K");

WhitePoint At(const Row& row) { return {row.red, row.green, row.blue}; }

}  // namespace

WhitePoint WhitePointAt(double kelvin) {
  if (!(kelvin < kRows[kRowCount - 1].kelvin)) return At(kRows[kRowCount - 1]);  // NaN too: no change
  if (kelvin <= kRows[0].kelvin) return At(kRows[0]);
  const double steps = (kelvin - kRows[0].kelvin) / kRowStep;
  const int below = static_cast<int>(steps);
  const double t = steps - below;
  const Row& a = kRows[below];
  const Row& b = kRows[below + 1];
  return {a.red + t * (b.red - a.red), a.green + t * (b.green - a.green), a.blue + t * (b.blue - a.blue)};
}

double MiredFromKelvin(double kelvin) { return 1e6 / kelvin; }

double KelvinFromMired(double mired) { return 1e6 / mired; }
