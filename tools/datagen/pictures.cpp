#include "tools/datagen/pictures.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/det_math.h"
#include "tools/datagen/prng.h"
#include "tools/datagen/value_noise.h"

namespace datagen {

namespace {

double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

struct Stop {
  double at, r, g, b;
};

// Piecewise-linear colour ramp through stops sorted by `at`, t in [0, 1].
template <size_t N>
Rgb ramp(const Stop (&stops)[N], double t) {
  t = clamp01(t);
  size_t i = 0;
  while (i + 2 < N && t > stops[i + 1].at) ++i;
  const Stop& a = stops[i];
  const Stop& b = stops[i + 1];
  const double f = clamp01((t - a.at) / (b.at - a.at));
  auto channel = [f](double x, double y) { return uint8_t(std::lround(255.0 * (x + (y - x) * f))); };
  return Rgb{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Soft falloff with distance: 1 at 0, a quarter at `width`; no exp needed.
double glow(double distance, double width) {
  const double q = distance / width;
  const double s = 1.0 / (1.0 + q * q);
  return s * s;
}

double distance_to_segment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
  const double ex = px - (ax + t * dx), ey = py - (ay + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

// Coverage of an axis-aligned box with a one-pixel soft edge.
double box(double px, double py, double x0, double y0, double x1, double y1) {
  const double dx = std::max({x0 - px, 0.0, px - x1});
  const double dy = std::max({y0 - py, 0.0, py - y1});
  return clamp01(1.0 - std::sqrt(dx * dx + dy * dy));
}

}  // namespace

RgbPicture make_backdrop() {
  // Bright colours: the demo shows the backdrop at 30 % behind 80 % opacity, and the
  // black blades and silhouettes need something light to stand against.
  const Stop stops[] = {{0.0, 0.22, 0.20, 0.42}, {0.35, 0.36, 0.58, 0.74}, {0.62, 0.58, 0.84, 0.84},
                        {0.85, 1.0, 0.82, 0.50}, {1.0, 1.0, 1.0, 0.95}};
  RgbPicture pic{320, 240, {}};
  pic.pixels.reserve(size_t(pic.width) * size_t(pic.height));
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      const double u = (x + 0.5) / 80.0, v = (y + 0.5) / 80.0;
      // Two noise fields push the sampling point around: warped marble veins.
      const double q = fractal_noise(u, v, 5, 11u);
      const double r = fractal_noise(u + 5.2, v + 1.3, 5, 23u);
      const double t = fractal_noise(u + 3.0 * q, v + 3.0 * r, 5, 37u);
      const double veins = 0.5 + 0.5 * det_sin(14.0 * t + 4.0 * q);
      const double level = clamp01((t - 0.3) / 0.4) * 0.65 + veins * veins * 0.35;
      pic.pixels.push_back(ramp(stops, level));
    }
  }
  return pic;
}

IndexedPicture make_halo_overlay() {
  IndexedPicture pic{128, 128, 8, {}, {}};
  const Stop stops[] = {{0.0, 0, 0, 0}, {0.35, 0.08, 0.16, 0.55}, {0.7, 0.35, 0.75, 1.0}, {1.0, 1, 1, 1}};
  const int levels = 64;
  for (int k = 0; k < levels; ++k) pic.palette.push_back(ramp(stops, double(k) / (levels - 1)));

  // 24 beads on the outer circle, positions worked out once.
  double bead_x[24], bead_y[24];
  for (int k = 0; k < 24; ++k) {
    const double a = 2.0 * kPi * k / 24.0;
    bead_x[k] = 0.80 * det_cos(a);
    bead_y[k] = 0.80 * det_sin(a);
  }
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      // The halo sits left of the picture's centre: the demo's quad runs past the
      // right edge of the screen, and this keeps the whole halo in view.
      const double px = (x + 0.5 - 55.0) / 52.5, py = (y + 0.5 - 64.0) / 52.5;
      const double r = std::sqrt(px * px + py * py);
      double light = 0.0;
      light += glow(r, 0.07);                        // the core
      light += glow(std::fabs(r - 0.5), 0.018);      // inner ring
      light += 0.35 * glow(std::fabs(r - 0.94), 0.01);  // faint outer rim
      for (int k = 0; k < 24; ++k) {
        const double dx = px - bead_x[k], dy = py - bead_y[k];
        light += (k % 6 == 0 ? 1.0 : 0.6) * glow(std::sqrt(dx * dx + dy * dy), k % 6 == 0 ? 0.035 : 0.022);
      }
      // Four ticks between the rings, on the axes.
      light += glow(distance_to_segment(px, py, 0.58, 0.0, 0.70, 0.0), 0.014);
      light += glow(distance_to_segment(px, py, -0.58, 0.0, -0.70, 0.0), 0.014);
      light += glow(distance_to_segment(px, py, 0.0, 0.58, 0.0, 0.70), 0.014);
      light += glow(distance_to_segment(px, py, 0.0, -0.58, 0.0, -0.70), 0.014);
      // Cut the glow's long tail so the ground stays truly black.
      light = clamp01((light - 0.04) / 0.96);
      pic.indices.push_back(uint8_t(std::lround(light * (levels - 1))));
    }
  }
  return pic;
}

IndexedPicture make_ladder_overlay() {
  IndexedPicture pic{64, 104, 4, {}, {}};
  const Stop stops[] = {{0.0, 0, 0, 0}, {0.4, 0.55, 0.06, 0.02}, {0.75, 1.0, 0.55, 0.12}, {1.0, 1.0, 0.96, 0.78}};
  const int levels = 16;
  for (int k = 0; k < levels; ++k) pic.palette.push_back(ramp(stops, double(k) / (levels - 1)));

  Prng rng = prng_seeded(0x1ADDE5u);
  const int bars = 11;
  double reach[bars];
  for (int b = 0; b < bars; ++b) reach[b] = prng_range(rng, 14.0, 54.0);
  const double spine_x = 8.0;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      double light = 0.8 * box(px, py, spine_x - 1.0, 4.0, spine_x + 1.0, 100.0);
      for (int b = 0; b < bars; ++b) {
        const double top = 7.0 + 8.5 * b, end = spine_x + reach[b];
        // Bars fade from the spine outward and end in a bright cap.
        const double fade = 1.0 - 0.55 * clamp01((px - spine_x) / (end - spine_x));
        light = std::max(light, fade * box(px, py, spine_x, top, end - 4.0, top + 3.0));
        light = std::max(light, box(px, py, end - 2.5, top - 0.5, end, top + 3.5));
      }
      pic.indices.push_back(uint8_t(std::lround(clamp01(light) * (levels - 1))));
    }
  }
  return pic;
}

}  // namespace datagen
