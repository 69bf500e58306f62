#pragma once
// Trigonometry made only of IEEE additions, multiplications and divisions, so
// the generated files come out byte for byte the same on every machine
// (the library's sin/cos may pick different code paths per CPU).

namespace datagen {

constexpr double kPi = 3.14159265358979323846;

double det_sin(double x);
double det_cos(double x);

}  // namespace datagen
